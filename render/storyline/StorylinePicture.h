#pragma once

#include "scenes/StorylineSteps.h"
#include "storyline/StorylineCast.h"
#include "storyline/StorylineLayout.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <vector>

class QPainter;

// A name standing at a line, where the line begins or comes back after a gap.
struct StorylineLabel
{
    int character = 0;
    int step = 0;
    QRectF rect;
};

// The storyline as a picture: time runs left to right, one line per character in its colour,
// drawn full where the character is in the step's scene and faint through the steps between;
// a light box behind every scene's group; the name where each line begins and where it comes
// back after a gap of a few steps, no two names overlapping; step numbers along the bottom.
// It paints on any QPainter (screen, image, SVG), so a window, an image file and a vector
// file show the same picture. Positions are in the picture's own units, from (0, 0) to size().
class StorylinePicture
{
public:
    StorylinePicture(const StorylineLayout &layout, const StorylineSteps &steps, StorylineCast cast,
                     const QFont &font = QFont());

    QSizeF size() const { return m_size; }
    // Paints the picture; `emphasised` (a character, or -1) is drawn last, thicker. With an
    // `exposed` rectangle only what reaches into it is painted, so that a view of a long
    // storyline paints the screenful it shows.
    void paint(QPainter &painter, int emphasised = -1, const QRectF &exposed = QRectF()) const;

    // The step whose column holds the x of the point, or -1 outside every column.
    int stepAt(const QPointF &point) const;
    // The character whose line passes nearest the point, within `reach` up or down; -1 when
    // none does.
    int lineAt(const QPointF &point, qreal reach) const;
    // Where the character's line stands at the step (its slot's centre).
    QPointF pointAt(int character, int step) const;
    const std::vector<StorylineLabel> &labels() const { return m_labels; }
    // Labels that found no place free of the others (so were left out).
    int droppedLabels() const { return m_dropped; }
    const StorylineLayout &layout() const { return m_layout; }
    const StorylineCast &cast() const { return m_cast; }

    // A step's column runs this far either side of its centre; lines run level across it.
    qreal stepWidth() const { return m_stepWidth; }

private:
    qreal stepX(int step) const { return m_left + (step + 0.5) * m_stepWidth; }
    qreal slotY(int slot) const { return m_top + (slot + 0.5) * m_slotHeight; }
    // The y of the line at x, or NaN where it is not drawn.
    qreal lineY(int character, qreal x) const;
    void placeLabels(const std::vector<std::vector<bool>> &present);
    bool placeLabel(int character, int step, bool mustStand);
    // The steps first..last (inclusive) that reach into the exposed rectangle.
    struct StepRange
    {
        int first = 0;
        int last = -1;
    };
    StepRange stepsIn(const QRectF &exposed) const;
    void paintGroups(QPainter &painter, StepRange steps) const;
    void paintLine(QPainter &painter, int character, bool emphasised, StepRange steps) const;
    void paintLabels(QPainter &painter, const QRectF &exposed) const;
    void paintAxis(QPainter &painter, StepRange steps) const;

    StorylineLayout m_layout;
    StorylineCast m_cast;
    QFont m_font;
    qreal m_stepWidth = 28.0;
    qreal m_slotHeight = 14.0;
    qreal m_left = 0.0;
    qreal m_top = 0.0;
    qreal m_plotBottom = 0.0;
    QSizeF m_size;
    // Per character, per step: in a group (or alone on purpose) at the step.
    std::vector<std::vector<bool>> m_present;
    // Per step: the slots of each group, top and bottom.
    std::vector<std::vector<std::pair<int, int>>> m_groupSlots;
    std::vector<StorylineLabel> m_labels;
    int m_dropped = 0;
    int m_axisEvery = 1; // a number at every this many steps
};
