#include "app/textVis.h"

#include "dialogs/AboutDialog.h"
#include "storyline/StorylineExport.h"
#include "support/Diagnostics.h"
#include "ui_textVis.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"
#include "views/ReportPdf.h"
#include "views/ReportView.h"
#include "views/StorylineView.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
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
    Diagnostics::print("do we get here??\n");
    if (!m_form->ThreadView->graphReady) {
        reportNotDone(tr("Image"), tr("no screenplay has been parsed yet; open one first"));
        return;
    }
    // An empty name (cancelled dialog) is handed on too; the view ignores it.
    QString name = QFileDialog::getSaveFileName(this, tr("Save Image"), QDir::currentPath(),
                                                tr("PNG (*.png);;JPEG (*.jpg);; All files (*.*)"));
    // Without a suffix the format would be unknown and nothing written.
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".png");
    m_form->ThreadView->setImageFileName(name);
}

void textVis::saveReport()
{
    const ScriptFacts *facts = m_form->reportView->facts();
    if (facts == nullptr) {
        reportNotDone(tr("Report"), tr("no screenplay has been parsed yet; open one first"));
        return;
    }
    QString name = QFileDialog::getSaveFileName(this, tr("Save Report"), QDir::currentPath(),
                                                tr("PDF (*.pdf);;All files (*.*)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
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
    QString name = QFileDialog::getSaveFileName(this, tr("Save Storyline"), QDir::currentPath(),
                                                tr("SVG (*.svg);;PNG (*.png)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".svg");
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
