#include "views/CharacterRowDelegate.h"

#include "support/TextContrast.h"

#include <QListWidgetItem>
#include <QPainter>

CharacterRowDelegate::CharacterRowDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void CharacterRowDelegate::colorRow(QListWidgetItem &item, const QColor &color)
{
    item.setBackground(QBrush(color));
    item.setForeground(QBrush(TextContrast::readableTextColor(color)));
}

// Whatever foreground the row was given, its text is drawn in the readable colour.
void CharacterRowDelegate::initStyleOption(QStyleOptionViewItem *option,
                                           const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->backgroundBrush.style() == Qt::NoBrush)
        return;
    const QColor text = TextContrast::readableTextColor(option->backgroundBrush.color());
    option->palette.setColor(QPalette::Text, text);
    option->palette.setColor(QPalette::HighlightedText, text);
}

void CharacterRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QStyleOptionViewItem row(option);
    const bool selected = row.state.testFlag(QStyle::State_Selected);
    row.state.setFlag(QStyle::State_Selected, false);
    QStyledItemDelegate::paint(painter, row, index);
    if (!selected)
        return;
    initStyleOption(&row, index);
    painter->save();
    const qreal inset = frameWidth / 2.0;
    painter->setPen(QPen(row.palette.color(QPalette::Text), frameWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option.rect).adjusted(inset, inset, -inset, -inset));
    painter->restore();
}
