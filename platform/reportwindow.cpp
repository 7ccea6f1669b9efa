#include "platform/reportwindow.h"

#include "platform/msgbox.h"
#include "platform/pictures.h"
#include "platform/qnum.h"
#include "platform/settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace plat {

namespace {
// The screen shows a page at 96 dots per inch at 100 % (15 twips a pixel).
constexpr double kScreenDpi = 96.0;
const int kZooms[] = {50, 75, 100, 125, 150, 200};
// Kept beside the main window's placement.
const QString kPdfFolderKey = QStringLiteral("PdfFolder");
// Room the window manager's frame takes around a window (title bar, borders).
const QSize kFrameAllowance(16, 48);
} // namespace

ReportWindow::ReportWindow(std::unique_ptr<Report> report, const QString &title)
    : Form(QStringLiteral("ReportWindow")), m_report(std::move(report))
{
    setWindowTitle(title);
    setWindowIcon(coilIcon());
    if (m_report && !title.isEmpty()) m_report->setTitle(title);
    buildUi();
    showPage(0);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::buildUi()
{
    auto *bar = new QHBoxLayout;
    auto button = [&](const char *name, const QString &text, const QString &tip) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        if (!tip.isEmpty()) b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    m_first = button("cmdFirst", QStringLiteral("|◀"), QStringLiteral("Πρώτη σελίδα"));
    m_prev = button("cmdPrevious", QStringLiteral("◀"), QStringLiteral("Προηγούμενη σελίδα"));
    m_next = button("cmdNext", QStringLiteral("▶"), QStringLiteral("Επόμενη σελίδα"));
    m_last = button("cmdLast", QStringLiteral("▶|"), QStringLiteral("Τελευταία σελίδα"));
    for (QPushButton *b : {m_first, m_prev, m_next, m_last}) b->setFixedWidth(40);

    auto *pageCaption = new QLabel(QStringLiteral("Σελίδα"), this);
    m_pageBox = new QSpinBox(this);
    m_pageBox->setObjectName(QStringLiteral("txtPage"));
    m_pageBox->setMinimum(1);
    m_pageBox->setKeyboardTracking(false);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPages"));

    auto *zoomCaption = new QLabel(QStringLiteral("Μεγέθυνση:"), this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cboZoom"));
    for (int z : kZooms) m_zoomBox->addItem(intText(z) + QStringLiteral(" %"), z);

    auto *print = button("cmdPrint", QStringLiteral("Εκτύπωση…"), QString());
    auto *pdf = button("cmdSavePdf", QStringLiteral("Αποθήκευση ως PDF…"), QString());

    bar->addWidget(m_first);
    bar->addWidget(m_prev);
    bar->addWidget(pageCaption);
    bar->addWidget(m_pageBox);
    bar->addWidget(m_pageLabel);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);
    bar->addWidget(zoomCaption);
    bar->addWidget(m_zoomBox);
    bar->addStretch(1);
    bar->addWidget(print);
    bar->addWidget(pdf);

    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("picPage"));
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_prev, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(m_report->pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int v) { showPage(v - 1); });
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int i) { setZoom(m_zoomBox->itemData(i).toInt() / 100.0); });
    connect(print, &QPushButton::clicked, this, &ReportWindow::askPrint);
    connect(pdf, &QPushButton::clicked, this, &ReportWindow::askSavePdf);

    m_zoomBox->setCurrentIndex(2);
    // Wide enough for a page at 100 %, as tall as a usual screen allows.
    const QSize paper = m_report->pageTwips();
    resize(int(paper.width() / 15) + 60, 760);
}

void ReportWindow::setReport(std::unique_ptr<Report> report)
{
    if (!report) return;
    m_report = std::move(report);
    if (!windowTitle().isEmpty()) m_report->setTitle(windowTitle());
    m_page = -1;
    showPage(0);
}

void ReportWindow::showForm()
{
    if (isUnloaded()) return;
    if (!isVisible()) {
        // Whole on the screen the planner works on; where it opens is the
        // window manager's choice, as for any window of its own.
        const QWidget *anchor = QApplication::activeWindow();
        QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QSize room = screen->availableGeometry().size() - kFrameAllowance;
            resize(size().boundedTo(room.expandedTo(QSize(200, 150))));
        }
    }
    show();
}

void ReportWindow::showPage(int index)
{
    const int n = m_report->pageCount();
    index = std::clamp(index, 0, std::max(0, n - 1));
    const bool changed = index != m_page;
    m_page = index;
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setMaximum(std::max(1, n));
        m_pageBox->setValue(index + 1);
    }
    m_pageLabel->setText(QStringLiteral("από ") + intText(n));
    m_first->setEnabled(index > 0);
    m_prev->setEnabled(index > 0);
    m_next->setEnabled(index < n - 1);
    m_last->setEnabled(index < n - 1);
    if (changed || m_view->pixmap().isNull()) refreshPage();
}

void ReportWindow::setZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.25, 4.0);
    if (std::abs(zoom - m_zoom) < 1e-9 && !m_view->pixmap().isNull()) return;
    m_zoom = zoom;
    const int pct = int(std::lround(zoom * 100));
    const int i = m_zoomBox->findData(pct);
    if (i >= 0) m_zoomBox->setCurrentIndex(i);
    // The spot in the middle of the view stays there, as a share of the
    // page: a zoom that jumped to an edge of the page would leave the
    // planner looking for the figures just looked at.
    QScrollBar *bars[2] = {m_scroll->horizontalScrollBar(), m_scroll->verticalScrollBar()};
    double centre[2];
    for (int k = 0; k < 2; ++k) {
        const int whole = bars[k]->maximum() + bars[k]->pageStep();
        centre[k] = bars[k]->maximum() > 0 && whole > 0 ? (bars[k]->value() + bars[k]->pageStep() / 2.0) / whole : 0.5;
    }
    refreshPage();
    // The bars take the new size now rather than on the next layout pass.
    m_view->adjustSize();
    for (int k = 0; k < 2; ++k) {
        const int whole = bars[k]->maximum() + bars[k]->pageStep();
        bars[k]->setValue(int(std::lround(centre[k] * whole - bars[k]->pageStep() / 2.0)));
    }
}

void ReportWindow::refreshPage()
{
    const double dpr = devicePixelRatioF();
    QImage img = m_report->pageImage(m_page, kScreenDpi * m_zoom * dpr);
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(dpr);
    m_view->setPixmap(pm);
}

bool ReportWindow::saveAsPdf(const QString &path)
{
    QString error;
    if (m_report->writePdf(path, &error)) return true;
    msgBox(error, MsgCritical);
    return false;
}

bool ReportWindow::printTo(QPrinter *printer)
{
    QString error;
    if (m_report->print(printer, &error)) return true;
    msgBox(error.isEmpty() ? QStringLiteral("Η εκτύπωση δεν ολοκληρώθηκε.") : error, MsgCritical);
    return false;
}

void ReportWindow::askPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(m_report->definition().paper);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Εκτύπωση"));
    dialog.setMinMax(1, std::max(1, m_report->pageCount()));
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(&printer);
}

void ReportWindow::askSavePdf()
{
    const QString dir = pdfStartFolder();
    QString name = windowTitle().trimmed();
    name.replace(u'/', u'-');
    if (name.isEmpty()) name = QStringLiteral("report");
    QString path;
    {
        QFileDialog dialog(this, QStringLiteral("Αποθήκευση ως PDF"), dir + u'/' + name + QStringLiteral(".pdf"),
                           QStringLiteral("Αρχεία PDF (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        // The question before replacing a file is ours, in Greek, about the
        // file really written (with its ending).
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        path = dialog.selectedFiles().first();
    }
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) &&
        msgBox(QStringLiteral("Το αρχείο «") + QFileInfo(path).fileName() +
                   QStringLiteral("» υπάρχει ήδη.\nΝα αντικατασταθεί;"),
               MsgOkCancelQuestion) != MsgAnswer::Ok)
        return;
    if (saveAsPdf(path)) rememberPdfFolder(QFileInfo(path).absolutePath());
}

ReportWindow *showReport(std::unique_ptr<Report> report, const QString &title)
{
    if (!report) return nullptr;
    auto *w = new ReportWindow(std::move(report), title);
    w->showForm();
    w->focusForm();
    return w;
}

ReportWindow *openReport(ReportDefinition def, const QString &sql, const QVariantList &params,
                         const QString &title)
{
    QString error;
    std::optional<ReportRows> rows = readReportRows(sql, params, &error);
    if (!rows) {
        msgBox(error, MsgCritical);
        return nullptr;
    }
    return showReport(std::make_unique<Report>(std::move(def), std::move(*rows)), title);
}

QString pdfStartFolder(const QString &last, const QString &documents, const QString &home)
{
    for (const QString &dir : {last, documents})
        if (!dir.isEmpty() && QFileInfo(dir).isDir()) return QDir(dir).absolutePath();
    return home;
}

QString pdfStartFolder()
{
    return pdfStartFolder(getProgramSetting(kPdfFolderKey),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
}

void rememberPdfFolder(const QString &folder)
{
    saveProgramSetting(kPdfFolderKey, QDir(folder).absolutePath());
}

} // namespace plat
