#pragma once

#include <QDialog>

namespace corvandel {

// The About dialog: the product's title and version, its picture, where to get it and the
// OK button. It has no owner and is not modal, so the main window goes on taking input; it is
// discarded when closed.
class AboutDialog final : public QDialog {
    Q_OBJECT

  public:
    AboutDialog();

  private slots:
    void cmdOK_Click();
};

}  // namespace corvandel
