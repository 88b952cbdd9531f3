#include "WindowTestSupport.h"

#include "views/GraphWidget.h"
#include "views/MarkupView.h"

#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTextCursor>

#include <functional>

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

    QListWidget *list() const { return formOf(*window).listWidget_BreakString; }

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
        formOf(*window).webView->setHtml(html);
        formOf(*window).ThreadView->upToDate = true;
    }
};

} // namespace

TEST_F(BreakStringUiTest, StartupFile_FillsTheListInFileOrder)
{
    EXPECT_EQ(documentOf(*window).settings().breakStrings, (QStringList{"INT.", "EXT."}));
    EXPECT_EQ(rowTexts(list()), (QStringList{"INT.", "EXT."}));
    EXPECT_EQ(list()->item(0)->foreground().color(), QColor(Qt::black));
    EXPECT_EQ(list()->item(0)->background().color(), QColor(Qt::white));
}

TEST_F(BreakStringUiTest, AddButton_AppendsTypedTextButNotAnEmptyAnswer)
{
    {
        ModalAnswerer answerer(typeText(QStringLiteral("  Scene ")));
        formOf(*window).pushButton_addBreakString->click();
    }
    {
        ModalAnswerer answerer(typeText(QString()));
        formOf(*window).actionAdd_Break_String->trigger();
    }
    EXPECT_EQ(documentOf(*window).settings().breakStrings,
              (QStringList{"INT.", "EXT.", "  Scene "}));
    EXPECT_EQ(rowTexts(list()), documentOf(*window).settings().breakStrings);
}

TEST_F(BreakStringUiTest, EveryWayOfChangingTheList_OffersTheReparsePrompt)
{
    ASSERT_TRUE(window->loadScreenplay(
        dir.scratch().write(QStringLiteral("play.txt"), "INT. HALL\n                    ANNA\n")));
    GraphWidget *view = formOf(*window).ThreadView;
    const auto asked = [&](const std::function<void()> &change) {
        view->upToDate = true;
        change();
        return !view->upToDate;
    };
    QString title;
    ModalAnswerer answerer([&title](QWidget *modal) {
        title = modal->windowTitle();
        return typeText(QStringLiteral("CUT TO:"))(modal);
    });
    EXPECT_TRUE(asked([&] { formOf(*window).pushButton_addBreakString->click(); }));
    EXPECT_EQ(title, QStringLiteral("Add Break String"));
    EXPECT_TRUE(asked([&] { formOf(*window).actionAdd_Break_String->trigger(); }));
    list()->item(0)->setSelected(true);
    EXPECT_TRUE(asked([&] { formOf(*window).pushButton_removeBreakString->click(); }));
    EXPECT_FALSE(asked([&] { formOf(*window).pushButton_removeBreakString->click(); }));
}

TEST_F(BreakStringUiTest, BreakSectionHere_BreaksAtTheLineClicked)
{
    QByteArray text;
    for (int line = 0; line < 40; ++line)
        text += "Line number " + QByteArray::number(line) + " of the story.\n";
    ASSERT_TRUE(window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"), text)));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    MarkupView *view = formOf(*window).webView;
    ASSERT_TRUE(view->find(QStringLiteral("number 23 ")));
    const QPoint clicked = view->cursorRect().center();
    view->setTextCursor(QTextCursor(view->document()));
    window->customContextMenuTrigger(clicked);
    const auto menus = window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(menus.isEmpty());
    menus.last()->actions().at(2)->trigger();
    menus.last()->close();

    window->parseText();
    const std::vector<Scene> &scenes = documentOf(*window).analysis()->timeIndex->scenes;
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_EQ(scenes[1].type, QStringLiteral("USER_SET"));
    EXPECT_EQ(scenes[1].start, 23.0f / 40.0f);
}

TEST_F(BreakStringUiTest, RemoveButton_DropsEveryCopyOfTheSelectedTexts)
{
    documentOf(*window).settings().breakStrings = QStringList{"INT", "EXT", "INT"};
    TextVisTestAccess::breakStringPanel(*window).refresh();
    list()->item(0)->setSelected(true);
    formOf(*window).pushButton_removeBreakString->click();
    EXPECT_EQ(documentOf(*window).settings().breakStrings, QStringList{QStringLiteral("EXT")});
    EXPECT_EQ(rowTexts(list()), QStringList{QStringLiteral("EXT")});

    formOf(*window).actionRemove_Break_String->trigger(); // nothing selected
    EXPECT_EQ(documentOf(*window).settings().breakStrings, QStringList{QStringLiteral("EXT")});
}

TEST_F(BreakStringUiTest, SaveAndLoad_RoundTripThroughFiles)
{
    documentOf(*window).settings().breakStrings.append(QStringLiteral("FLASHBACK"));
    formOf(*window).actionSave_Break_Strings->trigger();
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("breakStrings.txt"))),
              QByteArray("INT.\nEXT.\nFLASHBACK\n"));

    const QString other = dir.scratch().write(QStringLiteral("other.txt"), "SCENE\n\nEXT \n");
    {
        ModalAnswerer answerer(chooseFile(other));
        formOf(*window).pushButton_loadBreakString->click();
    }
    EXPECT_EQ(documentOf(*window).settings().breakStrings, (QStringList{"SCENE", "EXT "}));
    EXPECT_EQ(rowTexts(list()), (QStringList{"SCENE", "EXT "}));

    {
        ModalAnswerer answerer(chooseFile(QString()));
        formOf(*window).actionLoad_Break_Strings->trigger();
    }
    EXPECT_EQ(documentOf(*window).settings().breakStrings, (QStringList{"SCENE", "EXT "}));
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(BreakStringUiTest, ContextMenu_OffersThreeEntriesInOrder)
{
    EXPECT_EQ(useContextMenu(),
              (QStringList{"Add Character", "Add BreakString", "Break Section Here"}));
    EXPECT_EQ(TextVisTestAccess::contextMenuPos(*window), QPoint(20, 30));
}

TEST_F(BreakStringUiTest, ContextAddBreakString_AppendsSelectionAndMarksViewOutOfDate)
{
    showText(QStringLiteral("<p>We cut to FLASHBACK now.</p>"));
    ASSERT_TRUE(formOf(*window).webView->find(QStringLiteral("FLASHBACK")));
    const QString selection = formOf(*window).webView->selectedPlainText();
    ASSERT_TRUE(selection.startsWith(QStringLiteral("FLASHBACK")));
    useContextMenu(QStringLiteral("Add BreakString"));
    EXPECT_EQ(documentOf(*window).settings().breakStrings.last(),
              selection); // kept exactly as selected
    EXPECT_EQ(list()->count(), 3);
    EXPECT_FALSE(formOf(*window).ThreadView->upToDate);

    showText(QStringLiteral("<p>nothing selected</p>"));
    useContextMenu(QStringLiteral("Add BreakString"));
    EXPECT_EQ(documentOf(*window).settings().breakStrings.size(), 3);
    EXPECT_FALSE(formOf(*window).ThreadView->upToDate);
}

TEST_F(BreakStringUiTest, ContextBreakHere_RecordsFinitePositionsAndMarksViewOutOfDate)
{
    // The page is laid out, as it is where a person can ask for its context menu.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    showText(QStringLiteral("<p>short page without a scroll range</p>"));
    useContextMenu(QStringLiteral("Break Section Here"));
    useContextMenu(QStringLiteral("Break Section Here"));
    ASSERT_EQ(documentOf(*window).settings().manualBreaks.size(), 2);
    EXPECT_TRUE(std::isfinite(documentOf(*window).settings().manualBreaks[0]));
    EXPECT_GT(documentOf(*window).settings().manualBreaks[0], 0.0f);
    EXPECT_EQ(documentOf(*window).settings().manualBreaks[0],
              documentOf(*window).settings().manualBreaks[1]);
    EXPECT_FALSE(formOf(*window).ThreadView->upToDate);
}

TEST_F(BreakStringUiTest, ContextAddCharacter_AddsSelectedNameOnceAndMarksViewOutOfDate)
{
    showText(QStringLiteral("<p>Then MARY JANE walks in.</p>"));
    ASSERT_TRUE(formOf(*window).webView->find(QStringLiteral("MARY JANE")));
    useContextMenu(QStringLiteral("Add Character"));
    useContextMenu(QStringLiteral("Add Character"));
    ASSERT_EQ(documentOf(*window).characters().size(), 1u);
    EXPECT_EQ(documentOf(*window).characters()[0]->names, (QStringList{"MARY", "JANE"}));
    EXPECT_EQ(documentOf(*window).characters()[0]->count, 0);
    EXPECT_FALSE(formOf(*window).ThreadView->upToDate);

    showText(QStringLiteral("<p>nothing selected</p>"));
    useContextMenu(QStringLiteral("Add Character"));
    EXPECT_EQ(documentOf(*window).characters().size(), 1u);
}

TEST_F(BreakStringUiTest, ContextMenus_AreReleasedAfterClosing)
{
    for (int i = 0; i < 3; ++i)
        useContextMenu();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
}
