#pragma once

#include <QNetworkAccessManager>
#include <QStringList>

class QWebView;

// A network access manager for web views that show untrusted text: it serves only the
// schemes it was given (bundled resources, inline data) and fails every other request
// before anything leaves the machine.
class LocalOnlyNetworkAccess : public QNetworkAccessManager
{
    Q_OBJECT
public:
    LocalOnlyNetworkAccess(const QStringList &allowedSchemes, QObject *parent);

    bool allows(const QUrl &url) const;

    // Turns off scripts, plugins and remote loading on the view's page.
    static void install(QWebView *view, const QStringList &allowedSchemes);

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *outgoingData) override;

private:
    QStringList m_allowedSchemes;
};
