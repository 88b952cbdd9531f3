#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;
class QWebView;

// Credits and the bundled About page of the given program version.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(int versionMajor, int versionMinor, QWidget *parent = nullptr);

    // The base address (set in one place) followed by "about-MAJOR-MINOR.html".
    static QUrl pageUrl(int versionMajor, int versionMinor);

    QWebView *webView = nullptr;
    QPushButton *pushButton = nullptr;
};
