#include "app/textVis.h"

#include "app/ListItemLinks.h"
#include "characters/CharacterListFile.h"

#include <QColorDialog>
#include <QDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSet>

namespace {

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

void textVis::showIncludeCharacters()
{
    const QString path = QStringLiteral("characters.txt");
    loadCharacterList(path, document.includeCharacters);
    QDialog dialog;
    includeUi.setupUi(&dialog);
    connect(includeUi.pushButton_AddIncludeCharacter, &QPushButton::clicked, this,
            &textVis::addIncludeCharacter);
    connect(includeUi.pushButton_RemoveIncludeCharacter, &QPushButton::clicked, this,
            &textVis::removeIncludeCharacter);
    connect(includeUi.pushButton_ForceColor, &QPushButton::clicked, this,
            &textVis::setIncludeCharacterColor);
    refreshIncludeList();
    if (dialog.exec() == QDialog::Accepted)
        saveCharacterList(path, document.includeCharacters);
    // The rows go with the dialog; no character may keep pointing at them.
    forgetCharacterRows(*includeUi.listWidget, document);
    includeUi.reset();
}

void textVis::refreshIncludeList()
{
    if (!includeUi.listWidget)
        return;
    forgetCharacterRows(*includeUi.listWidget, document);
    includeUi.listWidget->clear();
    for (const CharacterPtr &character : document.includeCharacters) {
        QListWidgetItem *item = makeIncludeRow(*character);
        character->listItem = item;
        includeUi.listWidget->addItem(item);
    }
    applyMarkupStyles();
}

void textVis::addIncludeCharacter()
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
    QListWidgetItem *item = makeIncludeRow(*character);
    character->listItem = item;
    document.includeCharacters.push_back(character);
    includeUi.listWidget->addItem(item);
}

void textVis::removeIncludeCharacter()
{
    if (!includeUi.listWidget)
        return;
    const QList<QListWidgetItem *> selected = includeUi.listWidget->selectedItems();
    const QSet<QListWidgetItem *> rows(selected.begin(), selected.end());
    CharacterList &list = document.includeCharacters;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&rows](const CharacterPtr &character) {
                                  return character->listItem && rows.contains(character->listItem);
                              }),
               list.end());
    refreshIncludeList();
}

void textVis::setIncludeCharacterColor()
{
    if (!includeUi.listWidget)
        return;
    const QColor color = QColorDialog::getColor(Qt::white);
    if (!color.isValid())
        return;
    const QList<QListWidgetItem *> selected = includeUi.listWidget->selectedItems();
    const QSet<QListWidgetItem *> rows(selected.begin(), selected.end());
    for (const CharacterPtr &character : document.includeCharacters) {
        if (character->listItem && rows.contains(character->listItem)) {
            character->color = color;
            character->forcedColor = true;
        }
    }
    refreshIncludeList();
}
