#include "app/textVis.h"

#include "characters/CharacterListFile.h"

#include <QColorDialog>
#include <QDialog>
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

void textVis::showIncludeCharacters()
{
    const QString path = QStringLiteral("characters.txt");
    CharacterList &includeCharacters = document.settings().includeCharacters;
    loadCharacterList(path, includeCharacters);
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
        saveCharacterList(path, includeCharacters);
    includeUi.reset();
}

void textVis::refreshIncludeList()
{
    if (!includeUi.listWidget)
        return;
    includeUi.listWidget->clear();
    for (const CharacterPtr &character : document.settings().includeCharacters)
        includeUi.listWidget->addItem(makeIncludeRow(*character));
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
    document.settings().includeCharacters.push_back(character);
    includeUi.listWidget->addItem(makeIncludeRow(*character));
}

void textVis::removeIncludeCharacter()
{
    if (!includeUi.listWidget)
        return;
    const std::vector<bool> selected = selectedRows(*includeUi.listWidget);
    CharacterList kept;
    const CharacterList &list = document.settings().includeCharacters;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i >= selected.size() || !selected[i])
            kept.push_back(list[i]);
    }
    document.settings().includeCharacters = std::move(kept);
    refreshIncludeList();
}

void textVis::setIncludeCharacterColor()
{
    if (!includeUi.listWidget)
        return;
    const QColor color = QColorDialog::getColor(Qt::white);
    if (!color.isValid())
        return;
    const std::vector<bool> selected = selectedRows(*includeUi.listWidget);
    const CharacterList &list = document.settings().includeCharacters;
    for (size_t i = 0; i < list.size() && i < selected.size(); ++i) {
        if (selected[i]) {
            list[i]->color = color;
            list[i]->forcedColor = true;
        }
    }
    refreshIncludeList();
}
