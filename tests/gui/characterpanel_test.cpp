#include "parts/CharacterPanel.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CharacterPanelTest : public ::testing::Test
{
protected:
    QListWidget list;
    CharacterPanel panel{list};
    CharacterList characters{std::make_shared<Character>(QStringList{"ANNA"}),
                             std::make_shared<Character>(QStringList{"BEN", "LEE"}),
                             std::make_shared<Character>(QStringList{"CAL"})};

    QColor rowColor(int row) const { return list.item(row)->background().color(); }
};

} // namespace

TEST_F(CharacterPanelTest, Rows_ShowTheCharactersInOrderAndFollowTheirColours)
{
    panel.showCharacters(characters);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("BEN LEE "));
    EXPECT_EQ(rowColor(2), characters[2]->color);

    characters[1]->color = QColor(1, 2, 3); // as the thread view recolours it
    panel.showCharacterColor(1);
    EXPECT_EQ(rowColor(1), QColor(1, 2, 3));
    panel.showCharacterColor(7); // no such row
    panel.showCharacters(characters);
    EXPECT_EQ(list.count(), 3); // a new parse replaces the rows
    panel.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(panel.characters().empty());
}

TEST_F(CharacterPanelTest, ColorSelected_RecoloursOnlyTheSelectedRowsCharacters)
{
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    panel.showCharacters(characters);
    const QColor anna = characters[0]->color;
    list.item(1)->setSelected(true);
    list.item(2)->setSelected(true);
    EXPECT_EQ(panel.selectedCharacters(), (CharacterList{characters[1], characters[2]}));

    const QColor chosen(10, 120, 230);
    panel.colorSelected(chosen);
    EXPECT_EQ(characters[0]->color, anna);
    EXPECT_EQ(characters[1]->color, chosen);
    EXPECT_EQ(characters[2]->color, chosen);
    EXPECT_EQ(rowColor(2), chosen);
}
