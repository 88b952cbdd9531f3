#include "dialogs/AboutDialog.h"

#include "ui_AboutDialog.h"

#include <QFile>
#include <QTextBrowser>

namespace {

// Where the About pages live. The page is bundled with the program so the dialog works
// without a network.
const char *const aboutPageBase = ":/about/";

const char *const credits = "<html><body><h2>Quillmark</h2>"
                            "<p>A tool for looking at the structure of a screenplay.</p>"
                            "</body></html>";

// The page of this version, read from the program's resources; the credits stand in for a
// version that has none.
QString pageHtml(const QUrl &page)
{
    QFile file(QLatin1Char(':') + page.path());
    if (!file.open(QIODevice::ReadOnly))
        return QString::fromLatin1(credits);
    return QString::fromUtf8(file.readAll());
}

} // namespace

static void initAboutResources()
{
    // The resources live in a static library; this keeps them linked in.
    Q_INIT_RESOURCE(resources);
}

AboutDialog::AboutDialog(int versionMajor, int versionMinor, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AboutDialog>())
{
    initAboutResources();
    m_ui->setupUi(this);
    // The page is shown as it is: its links lead nowhere and nothing is fetched for it.
    m_ui->webView->setOpenExternalLinks(false);
    m_ui->webView->setHtml(pageHtml(pageUrl(versionMajor, versionMinor)));
    setWindowTitle(
        QStringLiteral("About Quillmark Version: %1.%2").arg(versionMajor).arg(versionMinor));
}

AboutDialog::~AboutDialog() = default;

QUrl AboutDialog::pageUrl(int versionMajor, int versionMinor)
{
    return QUrl(QStringLiteral("qrc") + QString::fromLatin1(aboutPageBase) +
                QStringLiteral("about-%1-%2.html").arg(versionMajor).arg(versionMinor));
}

QString AboutDialog::pageText() const
{
    return m_ui->webView->toPlainText();
}
