#pragma once

#include <QHash>
#include <QTextBrowser>
#include <QVector>

#include <memory>

struct Analysis;
struct Character;

// The text view: the marked-up screenplay with one colour per character, alternating scene
// backgrounds and styled scene headings. It shows only what it is given: links are not
// followed and no resource is loaded, from the network or from disk.
//
// A long page is given in pieces (whole scenes each), so that the window can answer between
// them. Every character span carries an anchor named after the character's class, and every
// scene an anchor of its number, so that a recolouring changes only that character's spans
// and a scene can be scrolled to without reloading the page.
class MarkupView : public QTextBrowser
{
    Q_OBJECT
public:
    // The default font size of the page, in points.
    static constexpr int defaultFontPoints = 11;

    explicit MarkupView(QWidget *parent = nullptr);
    ~MarkupView() override;

    // Empties the page and prepares to show the markup of `analysis` with its styles;
    // returns the number of pieces appendPiece then takes, in order.
    int startMarkup(const std::shared_ptr<const Analysis> &analysis);
    void appendPiece(int piece);
    // The most markup, in bytes, the view lays out. A feature-length screenplay's markup is
    // under half a megabyte. Laying out a page takes longer the longer the page already is:
    // 10 MB take 20 s on a laptop's core, and more would leave the window busy for minutes.
    // Past the limit the page shows the first part under a note that says so (isShortened),
    // and the scroll maximum stands for the whole screenplay. Taken up by the next
    // startMarkup.
    static constexpr qsizetype defaultShownBytesLimit = 4 * 1024 * 1024;
    void setShownBytesLimit(qsizetype bytes);
    bool isShortened() const;
    // Lets go of the page and of the analysis it showed. The hint to open a screenplay is
    // shown only until the first one is.
    void clearMarkup();

    // Shows the character's spans in its present colour; nothing else on the page changes.
    void recolorCharacter(const Character &character);
    // The selected text as plain text, lines ending in "\n".
    QString selectedPlainText() const;
    // The vertical scroll bar and the height of the laid-out page, in pixels.
    int scrollValue() const;
    int scrollMaximum() const;
    int contentsHeight() const;
    // Scrolls so that scene `scene` (0-based, in page order) starts at the top.
    void scrollToScene(int scene);
    // The screenplay line shown at `point` (in the viewport's coordinates): the number of
    // line breaks of the page before it, as every line of the markup ends in one. -1 when
    // no page is shown.
    int lineAt(const QPoint &point) const;

signals:
    // The scroll bar moved or its range changed.
    void readingPositionChanged(int scrollValue, int scrollMaximum);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    // Where each character's spans and each scene begin, read from the anchors of the page
    // the first time they are needed after it changed.
    void indexAnchors();
    void relayReadingPosition();

    std::shared_ptr<const Analysis> m_analysis;
    QVector<int> m_pieceEnds; // byte offsets in the markup, one per piece
    qsizetype m_shownBytesLimit = defaultShownBytesLimit;
    double m_shownShare = 1.0; // the share of the markup's bytes the page shows
    int m_nextScene = 0;
    bool m_indexed = false;
    QHash<QString, QVector<QPair<int, int>>> m_characterSpans; // class -> (position, length)
    QVector<int> m_sceneStarts;
    int m_relayedValue = -1;
    int m_relayedMaximum = -1;
};
