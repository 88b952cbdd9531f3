#include "app/LocalOnlyNetworkAccess.h"

#include <QNetworkRequest>
#include <QWebPage>
#include <QWebSettings>
#include <QWebView>

LocalOnlyNetworkAccess::LocalOnlyNetworkAccess(const QStringList &allowedSchemes, QObject *parent)
    : QNetworkAccessManager(parent)
    , m_allowedSchemes(allowedSchemes)
{
}

bool LocalOnlyNetworkAccess::allows(const QUrl &url) const
{
    return m_allowedSchemes.contains(url.scheme(), Qt::CaseInsensitive);
}

QNetworkReply *LocalOnlyNetworkAccess::createRequest(Operation operation,
                                                     const QNetworkRequest &request,
                                                     QIODevice *outgoingData)
{
    if (allows(request.url()))
        return QNetworkAccessManager::createRequest(operation, request, outgoingData);
    // A request without a URL fails at once with an error reply.
    QNetworkRequest refused(request);
    refused.setUrl(QUrl());
    return QNetworkAccessManager::createRequest(operation, refused, nullptr);
}

void LocalOnlyNetworkAccess::install(QWebView *view, const QStringList &allowedSchemes)
{
    QWebSettings *settings = view->settings();
    settings->setAttribute(QWebSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebSettings::PluginsEnabled, false);
    settings->setAttribute(QWebSettings::JavaEnabled, false);
    settings->setAttribute(QWebSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebSettings::DnsPrefetchEnabled, false);
    view->page()->setNetworkAccessManager(new LocalOnlyNetworkAccess(allowedSchemes, view->page()));
}
