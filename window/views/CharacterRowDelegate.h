#pragma once

#include <QStyledItemDelegate>

class QColor;
class QListWidgetItem;

// Draws the rows of a list of characters on their own colours. The text is black or white,
// whichever stands out more from the row's colour (at least 4.5:1), and a selected row keeps
// its colour: the selection shows as a frame in the text's colour instead of the style's
// highlight, which would hide it.
class CharacterRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // Width of the selection frame, in pixels.
    static constexpr int frameWidth = 3;

    explicit CharacterRowDelegate(QObject *parent = nullptr);

    // The row takes `color` as its background and the readable text colour for it.
    static void colorRow(QListWidgetItem &item, const QColor &color);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
