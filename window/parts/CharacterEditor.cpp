#include "parts/CharacterEditor.h"

#include "characters/CharacterDiscovery.h"
#include "characters/CharacterListFile.h"
#include "characters/PaletteFile.h"
#include "parts/DocumentController.h"
#include "views/CharacterRowDelegate.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// The include characters whose rows are selected; row i shows includeCharacters[i].
std::vector<bool> selectedRows(const QListWidget &list)
{
    std::vector<bool> selected(size_t(list.count()), false);
    for (int row = 0; row < list.count(); ++row)
        selected[size_t(row)] = list.item(row)->isSelected();
    return selected;
}

QListWidgetItem *makeIncludeRow(const Character &character)
{
    QString text = character.displayText();
    if (character.forcedColor)
        text += QLatin1String(" [forced color]");
    auto *item = new QListWidgetItem(text);
    CharacterRowDelegate::colorRow(*item, character.color);
    return item;
}

} // namespace

CharacterEditor::CharacterEditor(DocumentController &document, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_window(window)
{
}

void CharacterEditor::showIncludeCharacters()
{
    const QString path = m_document.settingsPaths().characters;
    CharacterList &includeCharacters = m_document.settings().includeCharacters;
    loadCharacterList(path, includeCharacters);
    QDialog dialog;
    includeUi.setupUi(&dialog);
    includeUi.listWidget->setItemDelegate(new CharacterRowDelegate(includeUi.listWidget));
    connect(includeUi.pushButton_AddIncludeCharacter, &QPushButton::clicked, this,
            &CharacterEditor::addIncludeCharacter);
    connect(includeUi.pushButton_RemoveIncludeCharacter, &QPushButton::clicked, this,
            &CharacterEditor::removeIncludeCharacter);
    connect(includeUi.pushButton_ForceColor, &QPushButton::clicked, this,
            &CharacterEditor::setIncludeCharacterColor);
    refreshIncludeList();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    includeUi.reset();
    if (!accepted)
        return;
    QString reason;
    if (!saveCharacterList(path, includeCharacters, &reason)) {
        emit notDone(path, reason);
        return;
    }
    emit written(QFileInfo(path).absoluteFilePath());
    emit includeCharactersSaved();
}

void CharacterEditor::refreshIncludeList()
{
    if (!includeUi.listWidget)
        return;
    includeUi.listWidget->clear();
    for (const CharacterPtr &character : m_document.settings().includeCharacters)
        includeUi.listWidget->addItem(makeIncludeRow(*character));
    emit includeListShown();
}

void CharacterEditor::addIncludeCharacter()
{
    if (!includeUi.listWidget)
        return;
    const QString name = QInputDialog::getText(includeUi.listWidget->window(), tr("Add Character"),
                                               tr("Character Name:"), QLineEdit::Normal);
    // The words as characters.txt gives them back: blanks around them would make words that
    // never match.
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    auto character = std::make_shared<Character>(words);
    character->color = QColor(255, 255, 255, 255);
    m_document.settings().includeCharacters.push_back(character);
    includeUi.listWidget->addItem(makeIncludeRow(*character));
}

void CharacterEditor::removeIncludeCharacter()
{
    if (!includeUi.listWidget)
        return;
    const std::vector<bool> selected = selectedRows(*includeUi.listWidget);
    CharacterList kept;
    const CharacterList &list = m_document.settings().includeCharacters;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i >= selected.size() || !selected[i])
            kept.push_back(list[i]);
    }
    m_document.settings().includeCharacters = std::move(kept);
    refreshIncludeList();
}

void CharacterEditor::setIncludeCharacterColor()
{
    if (!includeUi.listWidget)
        return;
    const QColor color = QColorDialog::getColor(Qt::white);
    if (!color.isValid())
        return;
    const std::vector<bool> selected = selectedRows(*includeUi.listWidget);
    const CharacterList &list = m_document.settings().includeCharacters;
    for (size_t i = 0; i < list.size() && i < selected.size(); ++i) {
        if (selected[i]) {
            list[i]->color = color;
            list[i]->forcedColor = true;
        }
    }
    refreshIncludeList();
}

void CharacterEditor::loadChosenColors()
{
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Select a color file"));
    if (!path.isEmpty())
        loadColors(path);
}

void CharacterEditor::saveColors()
{
    const QString path = m_document.settingsPaths().colors;
    if (QFileInfo::exists(path) &&
        QMessageBox::question(m_window, tr("Save Colors"),
                              tr("%1 already exists. Replace it with the colours shown?")
                                  .arg(QFileInfo(path).absoluteFilePath()),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    saveColorFile(path);
}

// The file dialog asks itself before a file is replaced.
void CharacterEditor::saveColorsAs()
{
    const QString path = QFileDialog::getSaveFileName(m_window, tr("Select a color file"));
    if (!path.isEmpty())
        saveColorFile(path);
}

void CharacterEditor::saveColorFile(const QString &path)
{
    QString reason;
    if (savePalette(path, m_document.characters(), &reason))
        emit written(QFileInfo(path).absoluteFilePath());
    else
        emit notDone(tr("Colours"), path + QStringLiteral(": ") + reason);
}

void CharacterEditor::loadColors(const QString &path)
{
    // A file that cannot be read changes nothing: the colours the user has stay.
    AnalysisSettings &settings = m_document.settings();
    if (!loadPalette(path, settings.palette)) {
        emit message(tr("Cannot read %1: the colours were not changed").arg(path));
        return;
    }
    emit message(tr("Colours loaded from %1").arg(QFileInfo(path).fileName()));
    applyPalette(m_document.characters(), settings.palette);
    emit charactersRecolored();
}

void CharacterEditor::addCharacter(const QString &text)
{
    // With nothing selected there is no name; an empty name would match every word.
    if (text.isEmpty())
        return;
    CharacterList &characters = m_document.characters();
    const size_t before = characters.size();
    const CharacterPtr character = findOrAddCharacter(
        characters, m_document.settings().includeCharacters, text.split(QLatin1Char(' ')));
    if (characters.size() > before)
        m_addedCharacters.push_back(character);
}

namespace {

bool names(const CharacterList &list, const Character &character)
{
    return std::any_of(list.cbegin(), list.cend(), [&character](const CharacterPtr &entry) {
        return entry->names == character.names;
    });
}

} // namespace

CharacterList CharacterEditor::unsavedCharacters() const
{
    CharacterList saved;
    loadCharacterList(m_document.settingsPaths().characters, saved);
    CharacterList unsaved;
    for (const CharacterPtr &character : m_addedCharacters) {
        if (!names(saved, *character) && !names(unsaved, *character))
            unsaved.push_back(character);
    }
    return unsaved;
}

bool CharacterEditor::saveAddedCharacters(QString *reason)
{
    const QString path = m_document.settingsPaths().characters;
    CharacterList saved;
    loadCharacterList(path, saved);
    for (const CharacterPtr &character : unsavedCharacters())
        saved.push_back(character);
    return saveCharacterList(path, saved, reason);
}
