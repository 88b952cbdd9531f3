#pragma once

#include <QDialog>
#include <QUrl>

#include <memory>

namespace Ui {
class AboutDialog;
}

// Credits and the bundled About page of the given program version.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(int versionMajor, int versionMinor, QWidget *parent = nullptr);
    ~AboutDialog() override;

    // The base address (set in one place) followed by "about-MAJOR-MINOR.html".
    static QUrl pageUrl(int versionMajor, int versionMinor);
    // The page's text: the bundled page of this version, or the credits where there is none.
    QString pageText() const;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
