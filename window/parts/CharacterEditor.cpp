#include "parts/CharacterEditor.h"

#include "characters/CharacterDiscovery.h"
#include "characters/PaletteFile.h"
#include "parts/DocumentController.h"
#include "support/Diagnostics.h"

#include "characters/CharacterListFile.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>

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
    item->setForeground(QBrush(Qt::darkGray));
    item->setBackground(QBrush(character.color));
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
    connect(includeUi.pushButton_AddIncludeCharacter, &QPushButton::clicked, this,
            &CharacterEditor::addIncludeCharacter);
    connect(includeUi.pushButton_RemoveIncludeCharacter, &QPushButton::clicked, this,
            &CharacterEditor::removeIncludeCharacter);
    connect(includeUi.pushButton_ForceColor, &QPushButton::clicked, this,
            &CharacterEditor::setIncludeCharacterColor);
    refreshIncludeList();
    if (dialog.exec() == QDialog::Accepted)
        saveCharacterList(path, includeCharacters);
    includeUi.reset();
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
    const QString name =
        QInputDialog::getText(includeUi.listWidget->window(), tr("QInputDialog::getText()"),
                              tr("Character Name:"), QLineEdit::Normal);
    if (name.isEmpty())
        return;
    auto character = std::make_shared<Character>(name.split(QLatin1Char(' ')));
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
    loadColors(QFileDialog::getOpenFileName(m_window, tr("Select a color file")));
}

void CharacterEditor::saveColors()
{
    savePalette(m_document.settingsPaths().colors, m_document.characters());
}

void CharacterEditor::saveColorsAs()
{
    savePalette(QFileDialog::getSaveFileName(m_window, tr("Select a color file")),
                m_document.characters());
}

void CharacterEditor::loadColors(const QString &path)
{
    // A file that cannot be read leaves the palette as it was; it is applied all the same.
    AnalysisSettings &settings = m_document.settings();
    loadPalette(path, settings.palette);
    applyPalette(m_document.characters(), settings.palette);
    emit charactersRecolored();
}

void CharacterEditor::addCharacter(const QString &text)
{
    // With nothing selected there is no name; an empty name would match every word.
    if (!text.isEmpty())
        findOrAddCharacter(m_document.characters(), m_document.settings().includeCharacters,
                           text.split(QLatin1Char(' ')));
}
