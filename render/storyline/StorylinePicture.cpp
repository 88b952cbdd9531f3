#include "storyline/StorylinePicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A line comes back, and is named again, after at least this many steps away from its groups.
constexpr int namedGap = 3;
// Of a step's column, the share either side of its centre where lines run level.
constexpr qreal levelShare = 0.2;
constexpr qreal presentWidth = 2.4;
constexpr qreal absentWidth = 1.1;
constexpr qreal emphasisedWidth = 5.0;
constexpr int absentAlpha = 110;
constexpr qreal labelPadding = 3.0;

// Steps per number on the time axis: 1, 2, 5, 10, 20, 50, ... whichever first leaves room.
int axisStride(qreal numberWidth, qreal stepWidth)
{
    const qreal needed = (numberWidth + 8.0) / stepWidth;
    for (int scale = 1;; scale *= 10) {
        for (const int factor : {1, 2, 5}) {
            if (factor * scale >= needed)
                return factor * scale;
        }
    }
}

QColor readable(const QColor &color)
{
    return color.lightnessF() > 0.55 ? color.darker(150) : color;
}

} // namespace

StorylinePicture::StorylinePicture(const StorylineLayout &layout, const StorylineSteps &steps,
                                   StorylineCast cast, const QFont &font)
    : m_layout(layout)
    , m_cast(std::move(cast))
    , m_font(font)
{
    const int characters = static_cast<int>(layout.lineSlots.size());
    m_present.assign(characters, std::vector<bool>(layout.stepCount, false));
    m_groupSlots.resize(layout.stepCount);
    for (int s = 0; s < layout.stepCount && s < static_cast<int>(steps.steps.size()); ++s) {
        for (const StorylineSteps::Group &group : steps.steps[s]) {
            int top = layout.slotCount;
            int bottom = -1;
            for (const int member : group) {
                m_present[member][s] = true;
                top = std::min(top, layout.lineSlots[member][s]);
                bottom = std::max(bottom, layout.lineSlots[member][s]);
            }
            if (bottom >= 0)
                m_groupSlots[s].emplace_back(top, bottom);
        }
    }

    const QFontMetricsF metrics(m_font);
    m_slotHeight = std::ceil(metrics.height()) + 1.0;
    m_stepWidth = std::max<qreal>(24.0, 2.0 * m_slotHeight);
    qreal left = 12.0;
    for (int c = 0; c < characters; ++c) {
        const int first = std::distance(m_present[c].begin(),
                                        std::find(m_present[c].begin(), m_present[c].end(), true));
        if (first >= layout.stepCount)
            continue;
        const qreal width = metrics.horizontalAdvance(m_cast.names.value(c)) + 4 * labelPadding;
        left = std::max(left, width - (first + 0.5) * m_stepWidth + levelShare * m_stepWidth);
    }
    const qreal titleWidth = metrics.horizontalAdvance(m_cast.axisTitle) + 12.0;
    m_left = std::ceil(std::max(left, titleWidth));
    m_top = m_slotHeight;
    m_plotBottom = m_top + (layout.slotCount + 1) * m_slotHeight;
    qreal numberWidth = 0.0;
    for (const QString &label : m_cast.stepLabels)
        numberWidth = std::max(numberWidth, metrics.horizontalAdvance(label));
    m_axisEvery = axisStride(numberWidth, m_stepWidth);
    m_size = QSizeF(m_left + layout.stepCount * m_stepWidth + 16.0,
                    std::ceil(m_plotBottom + 2.5 * metrics.height()));
    placeLabels(m_present);
}

QPointF StorylinePicture::pointAt(int character, int step) const
{
    return QPointF(stepX(step), slotY(m_layout.lineSlots[character][step]));
}

void StorylinePicture::placeLabels(const std::vector<std::vector<bool>> &present)
{
    // Beginnings first, so that where room runs out a return gives way.
    std::vector<std::pair<int, int>> beginnings;
    std::vector<std::pair<int, int>> returns;
    for (int c = 0; c < static_cast<int>(present.size()); ++c) {
        int lastPresent = -1;
        for (int s = 0; s < m_layout.stepCount; ++s) {
            if (!present[c][s])
                continue;
            if (lastPresent < 0)
                beginnings.emplace_back(s, c);
            else if (s - lastPresent - 1 >= namedGap)
                returns.emplace_back(s, c);
            lastPresent = s;
        }
    }
    std::sort(beginnings.begin(), beginnings.end());
    std::sort(returns.begin(), returns.end());
    for (const auto &[step, character] : beginnings)
        placeLabel(character, step, true);
    for (const auto &[step, character] : returns)
        placeLabel(character, step, false);
}

bool StorylinePicture::placeLabel(int character, int step, bool mustStand)
{
    const QFontMetricsF metrics(m_font);
    const QString &name = m_cast.names.value(character);
    const QSizeF box(metrics.horizontalAdvance(name) + 2 * labelPadding, metrics.height());
    const QPointF at = pointAt(character, step);
    const qreal levelStart = at.x() - levelShare * m_stepWidth;
    const qreal leftEdge = levelStart - box.width() - labelPadding;
    const qreal rightEdge = at.x() + labelPadding;
    const qreal middle = at.y() - box.height() / 2;
    const qreal above = at.y() - box.height() - 1.0;
    const qreal below = at.y() + 1.0;
    std::vector<QPointF> corners = {{leftEdge, middle},
                                    {leftEdge, above},
                                    {leftEdge, below},
                                    {rightEdge, above},
                                    {rightEdge, below}};
    if (mustStand) {
        // Further along the level stretch before the line and up and down from it.
        for (int shift = 1; shift <= 3; ++shift) {
            corners.push_back({leftEdge, middle - shift * m_slotHeight});
            corners.push_back({leftEdge, middle + shift * m_slotHeight});
        }
    }
    const QRectF bounds(0.0, 0.0, m_size.width(), m_plotBottom);
    for (const QPointF &corner : corners) {
        const QRectF rect(corner, box);
        if (!bounds.contains(rect))
            continue;
        const bool free =
            std::none_of(m_labels.begin(), m_labels.end(),
                         [&](const StorylineLabel &l) { return l.rect.intersects(rect); });
        if (free) {
            m_labels.push_back({character, step, rect});
            return true;
        }
    }
    if (mustStand)
        ++m_dropped;
    return false;
}

void StorylinePicture::paint(QPainter &painter, int emphasised, const QRectF &exposed) const
{
    const QRectF whole(QPointF(0, 0), m_size);
    const QRectF area = exposed.isValid() ? exposed.intersected(whole) : whole;
    const StepRange steps = stepsIn(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    paintGroups(painter, steps);
    for (int c = 0; c < static_cast<int>(m_layout.lineSlots.size()); ++c) {
        if (c != emphasised)
            paintLine(painter, c, false, steps);
    }
    if (emphasised >= 0 && emphasised < static_cast<int>(m_layout.lineSlots.size()))
        paintLine(painter, emphasised, true, steps);
    paintLabels(painter, area);
    paintAxis(painter, steps);
    painter.restore();
}

StorylinePicture::StepRange StorylinePicture::stepsIn(const QRectF &exposed) const
{
    // A step's curves reach half a column either side of its centre.
    const int first = static_cast<int>(std::floor((exposed.left() - m_left) / m_stepWidth)) - 1;
    const int last = static_cast<int>(std::ceil((exposed.right() - m_left) / m_stepWidth)) + 1;
    return {std::max(0, first), std::min(m_layout.stepCount - 1, last)};
}

void StorylinePicture::paintGroups(QPainter &painter, StepRange steps) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 20));
    const qreal halfWidth = (levelShare + 0.08) * m_stepWidth;
    for (int s = steps.first; s <= steps.last; ++s) {
        for (const auto &[top, bottom] : m_groupSlots[s]) {
            const QRectF box(stepX(s) - halfWidth, slotY(top) - 0.45 * m_slotHeight, 2 * halfWidth,
                             (bottom - top + 0.9) * m_slotHeight);
            painter.drawRoundedRect(box, 4.0, 4.0);
        }
    }
}

void StorylinePicture::paintLine(QPainter &painter, int character, bool emphasised,
                                 StepRange steps) const
{
    const std::vector<int> &line = m_layout.lineSlots[character];
    const std::vector<bool> &present = m_present[character];
    const qreal level = levelShare * m_stepWidth;
    QPainterPath full;
    QPainterPath faint;
    for (int s = steps.first; s <= steps.last; ++s) {
        if (line[s] < 0)
            continue;
        const qreal x = stepX(s);
        const qreal y = slotY(line[s]);
        QPainterPath &across = present[s] ? full : faint;
        across.moveTo(x - level, y);
        across.lineTo(x + level, y);
        if (s + 1 >= m_layout.stepCount || line[s + 1] < 0)
            continue;
        const qreal nextX = stepX(s + 1) - level;
        const qreal nextY = slotY(line[s + 1]);
        QPainterPath &between = present[s] && present[s + 1] ? full : faint;
        between.moveTo(x + level, y);
        const qreal middle = (x + level + nextX) / 2;
        between.cubicTo(middle, y, middle, nextY, nextX, nextY);
    }
    QColor color = m_cast.colors.size() > size_t(character) ? m_cast.colors[character] : Qt::gray;
    painter.setBrush(Qt::NoBrush);
    QColor light = color;
    light.setAlpha(emphasised ? 200 : absentAlpha);
    painter.setPen(
        QPen(light, emphasised ? emphasisedWidth / 2 : absentWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(faint);
    painter.setPen(
        QPen(color, emphasised ? emphasisedWidth : presentWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(full);
}

void StorylinePicture::paintLabels(QPainter &painter, const QRectF &exposed) const
{
    painter.setFont(m_font);
    for (const StorylineLabel &label : m_labels) {
        if (!label.rect.intersects(exposed))
            continue;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 215));
        painter.drawRoundedRect(label.rect, 3.0, 3.0);
        const QColor color = m_cast.colors.size() > size_t(label.character)
                                 ? m_cast.colors[label.character]
                                 : QColor(Qt::gray);
        painter.setPen(readable(color));
        painter.drawText(label.rect, Qt::AlignCenter, m_cast.names.value(label.character));
    }
}

void StorylinePicture::paintAxis(QPainter &painter, StepRange steps) const
{
    if (m_layout.stepCount == 0)
        return;
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font);
    const qreal y = m_plotBottom;
    painter.setPen(QPen(QColor(90, 90, 90), 1.0));
    painter.drawLine(QPointF(stepX(0) - m_stepWidth / 2, y),
                     QPointF(stepX(m_layout.stepCount - 1) + m_stepWidth / 2, y));
    for (int s = steps.first; s <= steps.last; ++s) {
        const bool numbered = s % m_axisEvery == 0;
        painter.drawLine(QPointF(stepX(s), y), QPointF(stepX(s), y + (numbered ? 5.0 : 2.5)));
        if (!numbered)
            continue;
        const QRectF box(stepX(s) - m_stepWidth * m_axisEvery / 2, y + 6.0,
                         m_stepWidth * m_axisEvery, metrics.height());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, m_cast.stepLabels.value(s));
    }
    if (!m_cast.axisTitle.isEmpty()) {
        const QRectF title(0.0, y + 6.0, stepX(0) - m_stepWidth / 2 - 6.0, metrics.height());
        painter.drawText(title, Qt::AlignRight | Qt::AlignTop, m_cast.axisTitle);
    }
}

qreal StorylinePicture::lineY(int character, qreal x) const
{
    const std::vector<int> &line = m_layout.lineSlots[character];
    const qreal position = (x - m_left) / m_stepWidth - 0.5;
    const int s = static_cast<int>(std::floor(position));
    const qreal level = levelShare;
    const auto slotAt = [&](int step) {
        return step >= 0 && step < m_layout.stepCount ? line[step] : -1;
    };
    const qreal offset = position - s; // 0 at step s's centre, 1 at the next one's
    if (offset <= level && slotAt(s) >= 0)
        return slotY(slotAt(s));
    if (offset >= 1.0 - level && slotAt(s + 1) >= 0)
        return slotY(slotAt(s + 1));
    if (slotAt(s) < 0 || slotAt(s + 1) < 0)
        return std::nan("");
    const qreal u = (offset - level) / (1.0 - 2 * level);
    const qreal eased = u * u * (3.0 - 2.0 * u);
    return slotY(slotAt(s)) + (slotY(slotAt(s + 1)) - slotY(slotAt(s))) * eased;
}

int StorylinePicture::lineAt(const QPointF &point, qreal reach) const
{
    int nearest = -1;
    qreal nearestDistance = reach;
    for (int c = 0; c < static_cast<int>(m_layout.lineSlots.size()); ++c) {
        const qreal y = lineY(c, point.x());
        if (std::isnan(y))
            continue;
        const qreal distance = std::abs(y - point.y());
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = c;
        }
    }
    return nearest;
}

int StorylinePicture::stepAt(const QPointF &point) const
{
    const qreal position = (point.x() - m_left) / m_stepWidth;
    if (position < 0.0 || point.y() < 0.0 || point.y() > m_size.height())
        return -1;
    const int step = static_cast<int>(position);
    return step < m_layout.stepCount ? step : -1;
}
