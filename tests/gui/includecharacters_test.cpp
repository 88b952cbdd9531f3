#include "WindowTestSupport.h"

#include "support/TextContrast.h"
#include "views/CharacterRowDelegate.h"
#include "views/MarkupView.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <set>

namespace {

// Answers only the nested input and colour dialogs; the Include Characters dialog below
// them is left to the test.
ModalAnswerer::Handler nestedAnswers(const QString &name, const QColor &color)
{
    return [name, color](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(name);
            input->accept();
        } else if (auto *picker = qobject_cast<QColorDialog *>(modal)) {
            picker->setCurrentColor(color);
            picker->accept();
        }
        return true;
    };
}

// The script the test runs while the Include Characters dialog is open; true accepts it.
using DialogScript = std::function<bool(textVis &)>;

// Runs "Force Character" with `script` driving the open dialog.
void forceCharacter(textVis &window, const DialogScript &script)
{
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (!dialog || dialog->objectName() != QLatin1String("IncludeCharacters"))
            return false;
        if (script(window))
            dialog->accept();
        else
            dialog->reject();
        return true;
    });
    formOf(window).actionForce_Character->trigger();
}

void add(textVis &window, const QString &name)
{
    ModalAnswerer nested(nestedAnswers(name, QColor()));
    TextVisTestAccess::characterEditor(window).includeUi.pushButton_AddIncludeCharacter->click();
}

void force(textVis &window, const QColor &color)
{
    ModalAnswerer nested(nestedAnswers(QString(), color));
    TextVisTestAccess::characterEditor(window).includeUi.pushButton_ForceColor->click();
}

QStringList rowTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

class IncludeCharactersTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    QByteArray charactersFile() const
    {
        return readBytes(dir.scratch().file(QStringLiteral("characters.txt")));
    }
};

} // namespace

TEST_F(IncludeCharactersTest, AddAndRemove_EditTheListAndOkSavesIt)
{
    QStringList afterAdding;
    forceCharacter(*window, [&](textVis &w) {
        add(w, QStringLiteral("BOB"));
        add(w, QStringLiteral("BOB"));
        add(w, QStringLiteral(" ANNA  LEE ")); // blanks typed around the words do not count
        afterAdding = rowTexts(TextVisTestAccess::characterEditor(w).includeUi.listWidget);
        TextVisTestAccess::characterEditor(w).includeUi.listWidget->item(0)->setSelected(true);
        TextVisTestAccess::characterEditor(w).includeUi.listWidget->item(1)->setSelected(true);
        TextVisTestAccess::characterEditor(w).includeUi.pushButton_RemoveIncludeCharacter->click();
        return true;
    });
    EXPECT_EQ(afterAdding, (QStringList{"BOB ", "BOB ", "ANNA LEE "}));
    ASSERT_EQ(documentOf(*window).settings().includeCharacters.size(), 1u);
    EXPECT_EQ(documentOf(*window).settings().includeCharacters[0]->names,
              (QStringList{"ANNA", "LEE"}));
    EXPECT_EQ(documentOf(*window).settings().includeCharacters[0]->color, QColor(Qt::white));
    EXPECT_EQ(charactersFile(), QByteArray("ANNA LEE\n"));
}

TEST_F(IncludeCharactersTest, ForceColor_MarksSelectedEntriesAndOkSavesTheColour)
{
    dir.scratch().write(QStringLiteral("characters.txt"), "ANNA\nBEN\nCAL\n");
    QStringList rows;
    forceCharacter(*window, [&](textVis &w) {
        TextVisTestAccess::characterEditor(w).includeUi.listWidget->item(0)->setSelected(true);
        TextVisTestAccess::characterEditor(w).includeUi.listWidget->item(2)->setSelected(true);
        force(w, QColor(255, 0, 0));
        rows = rowTexts(TextVisTestAccess::characterEditor(w).includeUi.listWidget);
        // The rows are drawn as the character list's: readable on their colours.
        const QListWidget *list = TextVisTestAccess::characterEditor(w).includeUi.listWidget;
        EXPECT_NE(qobject_cast<CharacterRowDelegate *>(list->itemDelegate()), nullptr);
        for (int row = 0; row < list->count(); ++row)
            EXPECT_GE(TextContrast::contrastRatio(list->item(row)->foreground().color(),
                                                  list->item(row)->background().color()),
                      TextContrast::readableRatio);
        return true;
    });
    EXPECT_EQ(rows, (QStringList{"ANNA  [forced color]", "BEN ", "CAL  [forced color]"}));
    EXPECT_EQ(charactersFile(), QByteArray("ANNA : 255 0 0\nBEN\nCAL : 255 0 0\n"));
}

TEST_F(IncludeCharactersTest, ForceColor_ShowsAtTheNextReparse)
{
    dir.scratch().write(QStringLiteral("characters.txt"), "ANNA, MISS A\n");
    const QString script = dir.scratch().write(
        QStringLiteral("s.txt"), "                    ANNA\n          Hi.\n                    "
                                 "BEN\n          Yes.\n                    ANNA\n          No.\n");
    ASSERT_TRUE(window->loadScreenplay(script));
    forceCharacter(*window, [&](textVis &w) {
        TextVisTestAccess::characterEditor(w).includeUi.listWidget->item(0)->setSelected(true);
        force(w, QColor(0, 0, 255));
        return true;
    });
    EXPECT_EQ(charactersFile(), QByteArray("ANNA, MISS A : 0 0 255\n"));
    window->parseText();
    const CharacterPtr anna = documentOf(*window).analysis()->timeIndex->characters.front();
    ASSERT_EQ(anna->names, QStringList{"ANNA"});
    EXPECT_EQ(anna->color, QColor(0, 0, 255));
    EXPECT_EQ(formOf(*window).listWidget->item(0)->background().color(), QColor(0, 0, 255));
}

TEST_F(IncludeCharactersTest, Cancel_WritesNothing)
{
    forceCharacter(*window, [](textVis &w) {
        add(w, QStringLiteral("BOB"));
        return false;
    });
    EXPECT_FALSE(QFile::exists(dir.scratch().file(QStringLiteral("characters.txt"))));
    EXPECT_EQ(documentOf(*window).settings().includeCharacters.size(), 1u);
}

TEST_F(IncludeCharactersTest, ClosedDialogAndReparse_LeaveNoRowOfTheDialogBehind)
{
    window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"),
                                               "                    ANNA\n"
                                               "          Have you seen CAL today?\n"
                                               "                    BEN\n"
                                               "          No.\n"));
    forceCharacter(*window, [](textVis &w) {
        add(w, QStringLiteral("CAL"));
        force(w, QColor(0, 0, 255));
        return true;
    });
    // CAL is found in the text by the include fall-back and is counted at this very reparse.
    window->parseText();
    const CharacterList &counted = documentOf(*window).analysis()->timeIndex->characters;
    ASSERT_EQ(counted.size(), 3u);
    EXPECT_EQ(counted[2]->names, QStringList{"CAL"});
    EXPECT_EQ(documentOf(*window).analysis()->timeIndex->scenes[0].counts[2], 1);

    // Each row shows the index character of its place, whatever the dialog's rows were.
    const CharacterList &shown = TextVisTestAccess::characterPanel(*window).characters();
    ASSERT_EQ(int(shown.size()), formOf(*window).listWidget->count());
    for (int row = 0; row < formOf(*window).listWidget->count(); ++row)
        EXPECT_EQ(formOf(*window).listWidget->item(row)->text(), shown[size_t(row)]->displayText());

    // Recolouring reaches the rows through the panel's mapping.
    const QString palette = dir.scratch().write(QStringLiteral("p.txt"), "1 2 3\n");
    {
        ModalAnswerer answerer(chooseFile(palette));
        formOf(*window).actionLoad_Colors->trigger();
    }
    for (const CharacterPtr &character : documentOf(*window).characters())
        EXPECT_EQ(character->color, QColor(1, 2, 3));
    ASSERT_EQ(formOf(*window).listWidget->count(), 3);
    EXPECT_EQ(formOf(*window).listWidget->item(0)->background().color(), QColor(1, 2, 3));
}

TEST_F(IncludeCharactersTest, LoadColors_EmptyPaletteKeepsColours)
{
    window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"),
                                               "                    ANNA\n"
                                               "          Hello.\n"
                                               "                    BEN\n"
                                               "          Hi.\n"));
    std::vector<QColor> before;
    for (const CharacterPtr &character : documentOf(*window).characters())
        before.push_back(character->color);
    ASSERT_EQ(before.size(), 2u);

    const QString empty = dir.scratch().write(QStringLiteral("empty.txt"), "");
    ModalAnswerer answerer(chooseFile(empty));
    formOf(*window).actionLoad_Colors->trigger();
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(documentOf(*window).characters()[i]->color, before[i]);
}

TEST_F(IncludeCharactersTest, SaveColors_WritesOneLinePerCharacterAndLoadsBack)
{
    window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"),
                                               "                    ANNA\n"
                                               "          Hello.\n"
                                               "                    BEN\n"
                                               "          Hi.\n"));
    documentOf(*window).characters()[0]->color = QColor(10, 20, 30);
    documentOf(*window).characters()[1]->color = QColor(40, 50, 60);
    formOf(*window).actionSave_Colors->trigger();
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("colors.txt"))),
              QByteArray("10 20 30\n40 50 60\n"));

    const QString colors = dir.scratch().file(QStringLiteral("colors.txt"));
    EXPECT_EQ(formOf(*window).statusBar->currentMessage(), QStringLiteral("Wrote ") + colors);

    // A file that is there is replaced only when the user says so.
    documentOf(*window).characters()[0]->color = QColor(70, 80, 90);
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        ModalAnswerer asked;
        asked.messageBoxAnswer = answer;
        formOf(*window).actionSave_Colors->trigger();
        EXPECT_EQ(asked.answeredTitles, QStringList{QStringLiteral("Save Colors")});
        EXPECT_EQ(readBytes(colors).startsWith("70 80 90"), answer == QMessageBox::Yes);
    }

    // Loaded colours reach the list and the text.
    documentOf(*window).characters()[0]->color = QColor(10, 20, 30);
    ModalAnswerer answerer(chooseFile(colors));
    formOf(*window).actionLoad_Colors->trigger();
    EXPECT_EQ(documentOf(*window).characters()[0]->color, QColor(70, 80, 90));
    EXPECT_EQ(formOf(*window).listWidget->item(0)->background().color(), QColor(70, 80, 90));
    QTextCursor anna = formOf(*window).webView->document()->find(QStringLiteral("ANNA"));
    anna.setPosition(anna.selectionStart() + 1);
    EXPECT_EQ(anna.charFormat().foreground().color(), QColor(70, 80, 90));
}
