#pragma once
// Greek for the parts of the system's print and file dialogs that the report
// window opens: Qt carries no Greek of its own, so while one of these lives
// the dialogs made in its scope speak Greek.
#include <QTranslator>

namespace plat {

class DialogGreek : public QTranslator {
public:
    DialogGreek();
    ~DialogGreek() override;
    DialogGreek(const DialogGreek &) = delete;
    DialogGreek &operator=(const DialogGreek &) = delete;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace plat
