#include "app/AboutDialog.h"

#include "app/LocalOnlyNetworkAccess.h"

#include <QPushButton>
#include <QWebView>

namespace {

// Where the About pages live. The page is bundled with the program so the dialog works
// without a network.
const char *const aboutPageBase = "qrc:/about/";

const char *const credits = "<html><body><h2>Quillmark</h2>"
                            "<p>A tool for looking at the structure of a screenplay.</p>"
                            "</body></html>";

} // namespace

static void initAboutResources()
{
    // The resources live in a static library; this keeps them linked in.
    Q_INIT_RESOURCE(resources);
}

AboutDialog::AboutDialog(int versionMajor, int versionMinor, QWidget *parent)
    : QDialog(parent)
{
    initAboutResources();
    setObjectName(QStringLiteral("AboutDialog"));
    resize(400, 550);

    webView = new QWebView(this);
    webView->setObjectName(QStringLiteral("webView"));
    webView->setGeometry(QRect(5, 5, 390, 495));
    LocalOnlyNetworkAccess::install(webView, {QStringLiteral("qrc"), QStringLiteral("data")});
    webView->setUrl(QUrl(QStringLiteral("about:blank")));

    pushButton = new QPushButton(this);
    pushButton->setObjectName(QStringLiteral("pushButton"));
    pushButton->setGeometry(QRect(0, 500, 400, 51));
    pushButton->setText(tr("OK"));
    connect(pushButton, &QPushButton::clicked, this, &QDialog::accept);

    webView->setHtml(QString::fromLatin1(credits));
    webView->load(pageUrl(versionMajor, versionMinor));
    setWindowTitle(
        QStringLiteral("About Quillmark Version: %1.%2").arg(versionMajor).arg(versionMinor));
}

QUrl AboutDialog::pageUrl(int versionMajor, int versionMinor)
{
    return QUrl(QString::fromLatin1(aboutPageBase) +
                QStringLiteral("about-%1-%2.html").arg(versionMajor).arg(versionMinor));
}
