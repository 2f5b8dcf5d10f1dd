#pragma once

#include <QDialog>

#include "diag/about.h"
#include "state/services.h"

class QLabel;

// frmIntercAbout on Qt: created once, its values recomputed on every showing.
class AboutView : public QDialog {
public:
    AboutView(kv::Services& s, QWidget* parent);

    // Recomputes the values and runs modal until Ok.
    void Open();

private:
    void Render();

    kv::Services& s_;
    kv::AboutWindow a_;
    QLabel* versionInfo_ = nullptr;
    QLabel* timeOut_ = nullptr;
    QLabel* rate_ = nullptr;
    QLabel* output_ = nullptr;
    QLabel* server_ = nullptr;
    QLabel* files_ = nullptr;
};
