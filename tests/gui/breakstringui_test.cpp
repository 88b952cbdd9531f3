#include "WindowTestSupport.h"

#include "app/GraphWidget.h"

#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QWebView>

#include <gtest/gtest.h>

namespace {

ModalAnswerer::Handler typeText(const QString &text)
{
    return [text](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog)
            return false;
        if (text.isNull()) {
            dialog->reject();
        } else {
            dialog->setTextValue(text);
            dialog->accept();
        }
        return true;
    };
}

QStringList rowTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

class BreakStringUiTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    QListWidget *list() const { return window->form.listWidget_BreakString; }

    // Opens the text view's context menu and returns its actions' texts; `chosen`, when
    // given, is triggered.
    QStringList useContextMenu(const QString &chosen = QString())
    {
        window->customContextMenuTrigger(QPoint(20, 30));
        QStringList texts;
        const auto menus = window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly);
        if (menus.isEmpty())
            return texts;
        QMenu *menu = menus.last();
        for (QAction *action : menu->actions()) {
            texts << action->text();
            if (action->text() == chosen)
                action->trigger();
        }
        menu->close();
        return texts;
    }

    void showText(const QString &html)
    {
        window->form.webView->setHtml(html);
        window->form.ThreadView->upToDate = true;
    }
};

} // namespace

TEST_F(BreakStringUiTest, StartupFile_FillsTheListInFileOrder)
{
    EXPECT_EQ(window->document.settings().breakStrings, (QStringList{"INT.", "EXT."}));
    EXPECT_EQ(rowTexts(list()), (QStringList{"INT.", "EXT."}));
    EXPECT_EQ(list()->item(0)->foreground().color(), QColor(Qt::black));
    EXPECT_EQ(list()->item(0)->background().color(), QColor(Qt::white));
}

TEST_F(BreakStringUiTest, AddButton_AppendsTypedTextButNotAnEmptyAnswer)
{
    {
        ModalAnswerer answerer(typeText(QStringLiteral("  Scene ")));
        window->form.pushButton_addBreakString->click();
    }
    {
        ModalAnswerer answerer(typeText(QString()));
        window->form.actionAdd_Break_String->trigger();
    }
    EXPECT_EQ(window->document.settings().breakStrings, (QStringList{"INT.", "EXT.", "  Scene "}));
    EXPECT_EQ(rowTexts(list()), window->document.settings().breakStrings);
}

TEST_F(BreakStringUiTest, RemoveButton_DropsEveryCopyOfTheSelectedTexts)
{
    window->document.settings().breakStrings = QStringList{"INT", "EXT", "INT"};
    window->breakStringPanel->refresh();
    list()->item(0)->setSelected(true);
    window->form.pushButton_removeBreakString->click();
    EXPECT_EQ(window->document.settings().breakStrings, QStringList{QStringLiteral("EXT")});
    EXPECT_EQ(rowTexts(list()), QStringList{QStringLiteral("EXT")});

    window->form.actionRemove_Break_String->trigger(); // nothing selected
    EXPECT_EQ(window->document.settings().breakStrings, QStringList{QStringLiteral("EXT")});
}

TEST_F(BreakStringUiTest, SaveAndLoad_RoundTripThroughFiles)
{
    window->document.settings().breakStrings.append(QStringLiteral("FLASHBACK"));
    window->form.actionSave_Break_Strings->trigger();
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("breakStrings.txt"))),
              QByteArray("INT.\nEXT.\nFLASHBACK\n"));

    const QString other = dir.scratch().write(QStringLiteral("other.txt"), "SCENE\n\nEXT \n");
    {
        ModalAnswerer answerer(chooseFile(other));
        window->form.pushButton_loadBreakString->click();
    }
    EXPECT_EQ(window->document.settings().breakStrings, (QStringList{"SCENE", "EXT "}));
    EXPECT_EQ(rowTexts(list()), (QStringList{"SCENE", "EXT "}));

    {
        ModalAnswerer answerer(chooseFile(QString()));
        window->form.actionLoad_Break_Strings->trigger();
    }
    EXPECT_EQ(window->document.settings().breakStrings, (QStringList{"SCENE", "EXT "}));
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(BreakStringUiTest, ContextMenu_OffersThreeEntriesInOrder)
{
    EXPECT_EQ(useContextMenu(),
              (QStringList{"Add Character", "Add BreakString", "Break Section Here"}));
    EXPECT_EQ(window->contextMenuPos, QPoint(20, 30));
}

TEST_F(BreakStringUiTest, ContextAddBreakString_AppendsSelectionAndMarksViewOutOfDate)
{
    showText(QStringLiteral("<p>We cut to FLASHBACK now.</p>"));
    ASSERT_TRUE(window->form.webView->findText(QStringLiteral("FLASHBACK")));
    const QString selection = window->form.webView->selectedText();
    ASSERT_TRUE(selection.startsWith(QStringLiteral("FLASHBACK")));
    useContextMenu(QStringLiteral("Add BreakString"));
    EXPECT_EQ(window->document.settings().breakStrings.last(),
              selection); // kept exactly as selected
    EXPECT_EQ(list()->count(), 3);
    EXPECT_FALSE(window->form.ThreadView->upToDate);

    showText(QStringLiteral("<p>nothing selected</p>"));
    useContextMenu(QStringLiteral("Add BreakString"));
    EXPECT_EQ(window->document.settings().breakStrings.size(), 3);
    EXPECT_FALSE(window->form.ThreadView->upToDate);
}

TEST_F(BreakStringUiTest, ContextBreakHere_RecordsFinitePositionsAndMarksViewOutOfDate)
{
    showText(QStringLiteral("<p>short page without a scroll range</p>"));
    useContextMenu(QStringLiteral("Break Section Here"));
    useContextMenu(QStringLiteral("Break Section Here"));
    ASSERT_EQ(window->document.settings().manualBreaks.size(), 2);
    EXPECT_TRUE(std::isfinite(window->document.settings().manualBreaks[0]));
    EXPECT_GT(window->document.settings().manualBreaks[0], 0.0f);
    EXPECT_EQ(window->document.settings().manualBreaks[0],
              window->document.settings().manualBreaks[1]);
    EXPECT_FALSE(window->form.ThreadView->upToDate);
}

TEST_F(BreakStringUiTest, ContextAddCharacter_AddsSelectedNameOnceAndMarksViewOutOfDate)
{
    showText(QStringLiteral("<p>Then MARY JANE walks in.</p>"));
    ASSERT_TRUE(window->form.webView->findText(QStringLiteral("MARY JANE")));
    useContextMenu(QStringLiteral("Add Character"));
    useContextMenu(QStringLiteral("Add Character"));
    ASSERT_EQ(window->document.characters().size(), 1u);
    EXPECT_EQ(window->document.characters()[0]->names, (QStringList{"MARY", "JANE"}));
    EXPECT_EQ(window->document.characters()[0]->count, 0);
    EXPECT_FALSE(window->form.ThreadView->upToDate);

    showText(QStringLiteral("<p>nothing selected</p>"));
    useContextMenu(QStringLiteral("Add Character"));
    EXPECT_EQ(window->document.characters().size(), 1u);
}

TEST_F(BreakStringUiTest, ContextMenus_AreReleasedAfterClosing)
{
    for (int i = 0; i < 3; ++i)
        useContextMenu();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
}
