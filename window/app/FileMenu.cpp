#include "app/textVis.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/SaveFileName.h"
#include "storyline/StorylineExport.h"
#include "ui_textVis.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"
#include "views/ReportPdf.h"
#include "views/ReportView.h"
#include "views/StorylineView.h"

#include <QAction>
#include <QFileInfo>
#include <QFontDialog>

void textVis::changeFont()
{
    bool accepted = false;
    const QFont font =
        QFontDialog::getFont(&accepted, QFont(QStringLiteral("Helvetica [Cronyx]"), 10), this);
    if (!accepted)
        return;
    m_form->webView->setFont(font);
}

void textVis::saveImage()
{
    if (!m_document.analysis()) {
        reportNotDone(tr("Image"), tr("no screenplay is open; open one with File > Open File"));
        return;
    }
    if (!m_form->ThreadView->graphReady) {
        reportNotDone(tr("Image"), tr("the thread view has nothing to draw for %1")
                                       .arg(QFileInfo(m_document.filePath()).fileName()));
        return;
    }
    // Without a suffix the format would be unknown and nothing written. A cancelled dialog
    // hands on an empty name, which the view ignores.
    const QString name =
        askSaveFileName(this, tr("Save Image"), m_document.filePath() + QStringLiteral(".png"),
                        tr("PNG (*.png);;JPEG (*.jpg);; All files (*.*)"), QStringLiteral("png"));
    m_form->ThreadView->setImageFileName(name);
}

void textVis::saveReport()
{
    const ScriptFacts *facts = m_form->reportView->facts();
    if (facts == nullptr) {
        reportNotDone(tr("Report"), tr("no screenplay is open; open one with File > Open File"));
        return;
    }
    const QString name = askSaveFileName(this, tr("Save Report"),
                                         m_document.filePath() + QStringLiteral("-report.pdf"),
                                         tr("PDF (*.pdf);;All files (*.*)"), QStringLiteral("pdf"));
    if (name.isEmpty())
        return;
    QString reason;
    if (writeReportPdf(name, *facts, m_form->reportView->screenplayName(), &reason))
        reportWritten(name);
    else
        reportNotDone(tr("Report %1").arg(name), reason);
}

void textVis::saveStoryline()
{
    const StorylineView *view = m_form->storylineView;
    if (view->picture() == nullptr) {
        reportNotDone(tr("Storyline"),
                      view->isLayingOut()
                          ? tr("it is still being laid out; save it again in a moment")
                          : tr("no screenplay has been parsed yet; open one first"));
        return;
    }
    // Without a suffix the name is written as SVG.
    const QString name = askSaveFileName(this, tr("Save Storyline"),
                                         m_document.filePath() + QStringLiteral("-storyline.svg"),
                                         tr("SVG (*.svg);;PNG (*.png)"), QStringLiteral("svg"));
    if (name.isEmpty())
        return;
    QString reason;
    if (saveStorylinePicture(*view->picture(), name, &reason))
        reportWritten(name);
    else
        reportNotDone(tr("Storyline %1").arg(name), reason);
}

void textVis::showAbout()
{
    AboutDialog dialog(versionMajor, versionMinor);
    dialog.exec();
}
