#include "frmparameters.h"

#include "parameterchecks.h"
#include "recordset.h"
#include "recordsetmodel.h"

#include "platform/database.h"
#include "platform/msgbox.h"
#include "platform/qnum.h"
#include "shell/module1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using plat::tw;

namespace {

const QStringList kColumns = {
    QStringLiteral("AnektiApoklisi"), QStringLiteral("AristeroXakrisma"), QStringLiteral("ArithmosTainion"),
    QStringLiteral("BarosTainias"),   QStringLiteral("DexiXakrisma"),     QStringLiteral("MikosTainias"),
    QStringLiteral("OikonomikoPrint"),
};
constexpr int kCheckColumn = 6;

// One line of the window per field: its screen row (1 = top) and its label.
struct FieldPlace {
    int screenRow;
    const char *label;
};
const FieldPlace kPlaces[rec::ParameterFieldCount] = {
    {6, "Ανεκτή απόκλισις % :"},
    {1, "Αριστερό ξάκρισμα:"},
    {3, "Μέγιστος αριθμός τσερκιών ανά κοπή:"},
    {4, "Βάρος ταινίας (τόνοι):"},
    {2, "Δεξί ξάκρισμα:"},
    {5, "Μήκος ταινίας (χιλ):"},
};

// Row tops in twips: the deviation row (6) stands at 2760 beside its empty
// label, the check box below at 3270.
int rowTop(int screenRow) { return 2760 - (6 - screenRow) * 480; }

// The coil-weight label stands one line high beside its wider box: it may
// reach the box, and its font gives a little where even that is too narrow.
void keepOnOneLine(QLabel *lbl, int room)
{
    lbl->setWordWrap(false);
    lbl->resize(std::max(lbl->width(), std::min(room, lbl->sizeHint().width())), lbl->height());
    QFont f = lbl->font();
    while (QFontMetrics(f).horizontalAdvance(lbl->text()) > lbl->width() && f.pointSizeF() > 6)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    lbl->setFont(f);
}

} // namespace

frmParameters::frmParameters() : rec::RecordForm(QStringLiteral("frmParameters"))
{
    setWindowTitle(QStringLiteral("Παράμετροι εφαρμογής"));

    txtFields.resize(rec::ParameterFieldCount);
    lblLabels.resize(rec::ParameterFieldCount + 1);
    for (int i = 0; i < rec::ParameterFieldCount; ++i) {
        const int top = rowTop(kPlaces[i].screenRow);
        const bool weight = i == rec::FieldBarosTainias;
        const bool twoLines = i == rec::FieldArithmosTainion;

        auto *lbl = new QLabel(QString::fromUtf8(kPlaces[i].label), this);
        lbl->setObjectName(QStringLiteral("lblLabels"));
        lbl->setProperty("Index", i);
        lbl->setWordWrap(true);
        lbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int lblHeight = twoLines ? 450 : 360;
        lbl->setGeometry(tw(90), tw(top + 180 - lblHeight / 2), tw(weight ? 1950 : 2250), tw(lblHeight));
        if (weight) keepOnOneLine(lbl, tw(2160 - 30 - 90));
        lblLabels[i] = lbl;

        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtFields"));
        box->setProperty("Index", i);
        box->setGeometry(tw(weight ? 2160 : 2400), tw(top), tw(weight ? 915 : 675), tw(360));
        txtFields[i] = box;
    }
    auto *spare = new QLabel(this);
    spare->setObjectName(QStringLiteral("lblLabels"));
    spare->setProperty("Index", 6);
    spare->setGeometry(tw(3240), tw(2760), tw(600), tw(360));
    lblLabels[6] = spare;

    chkFields = new QCheckBox(QStringLiteral("Οικονομική εκτύπωσις"), this);
    chkFields->setObjectName(QStringLiteral("chkFields"));
    chkFields->setGeometry(tw(2100), tw(3270), tw(2415), tw(360));

    // The buttons stand on the window itself; both strips stay hidden.
    for (QPushButton *b : {cmdEdit, cmdUpdate, cmdClose, cmdCancel}) b->setParent(this);
    cmdEdit->setGeometry(tw(300), tw(4230), tw(1515), tw(450));
    cmdUpdate->setGeometry(tw(300), tw(4230), tw(1515), tw(450));
    cmdClose->setGeometry(tw(3750), tw(4230), tw(1515), tw(450));
    cmdCancel->setGeometry(tw(3750), tw(4230), tw(1515), tw(450));
    cmdEdit->show();
    cmdClose->show();
    picButtons->hide();
    picStatBox->hide();

    // Tab order follows the screen rows, then the buttons.
    QWidget *order[] = {txtFields[rec::FieldAristeroXakrisma], txtFields[rec::FieldDexiXakrisma],
                        txtFields[rec::FieldArithmosTainion],  txtFields[rec::FieldBarosTainias],
                        txtFields[rec::FieldMikosTainias],     txtFields[rec::FieldAnektiApoklisi],
                        chkFields,                             cmdEdit,
                        cmdUpdate,                             cmdClose,
                        cmdCancel};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    setInnerSize(tw(5550), tw(5010));
    editingChanged();
    installKeyPreview();
}

void frmParameters::openFromMenu()
{
    if (frmParameters *f = rec::loadForMenu<frmParameters>()) Module1::ShowChildForm(f);
}

void frmParameters::Form_Load()
{
    blnEditing = false;
    const QString err = m_rs->open(plat::Database::db(), QStringLiteral("tblParameters"), kColumns);
    if (!err.isEmpty()) failOpening(err);
}

void frmParameters::adoPrimaryRS_MoveComplete()
{
    rec::RecordForm::adoPrimaryRS_MoveComplete();
    showCurrentRow();
}

void frmParameters::showCurrentRow()
{
    for (int i = 0; i < rec::ParameterFieldCount; ++i) txtFields[i]->setText(rec::displayText(m_rs->field(i)));
    const QVariant print = m_rs->field(kCheckColumn);
    chkFields->setChecked(!print.isNull() && print.toDouble() != 0);
}

void frmParameters::editingChanged()
{
    // Typing is taken only while editing, so that nothing unchecked can reach
    // the table.
    for (QLineEdit *box : txtFields) box->setReadOnly(!blnEditing);
    chkFields->setEnabled(blnEditing);
}

void frmParameters::cmdUpdate_Click()
{
    // The typed texts are taken first: starting a new row shows its empty values.
    QStringList typed;
    std::array<std::string, rec::ParameterFieldCount> texts;
    for (int i = 0; i < rec::ParameterFieldCount; ++i) {
        typed << txtFields[i]->text();
        texts[i] = typed[i].toStdString();
    }
    const bool print = chkFields->isChecked();
    const rec::ParameterCheckResult check = rec::checkParameterTexts(texts);
    if (!check.ok) {
        plat::msgBox(QString::fromStdString(check.message), plat::MsgOkOnly);
        txtFields[check.field]->setFocus();
        return;
    }

    // A database without its parameter row gets it on the first save.
    if (m_rs->currentRow() < 0) {
        if (QString err = m_rs->addNew(); !err.isEmpty()) {
            showFailure(err);
            return;
        }
    }
    for (int i = 0; i < rec::ParameterFieldCount; ++i) {
        if (QString err = m_rs->setField(i, typed[i]); !err.isEmpty()) {
            showFailure(err);
            return;
        }
    }
    m_rs->setField(kCheckColumn, print);
    if (writeAndBrowse()) showCurrentRow();
}

void frmParameters::Form_Unload()
{
    cmdCancel_Click();
    rec::RecordForm::Form_Unload();
}
