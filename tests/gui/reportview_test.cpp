#include "WindowTestSupport.h"
#include "views/MarkupView.h"
#include "views/ReportView.h"

#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QtCharts/QAbstractBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <gtest/gtest.h>

namespace {

// Enough scenes that the text scrolls; ANNA and BEN speak in the first, only CARL later on.
QByteArray script()
{
    QByteArray text = "INT. HALL - NIGHT\n\n                    ANNA\n          Who is there?\n\n"
                      "                    BEN\n          Only me.\n\n";
    for (int scene = 0; scene < 30; ++scene) {
        text += (scene % 2 ? "EXT. YARD - DAY\n\n" : "INT. SHED - NIGHT\n\n");
        text += "Rain falls on the roof.\n\n                    CARL\n          Again.\n\n";
    }
    return text;
}

class ReportViewTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());
    ReportView *report = formOf(*window).reportView;

    void openAndShowReport()
    {
        window->show();
        window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"), script()));
        formOf(*window).viewTabs->setCurrentWidget(formOf(*window).reportTab);
        QCoreApplication::processEvents();
    }

    QAbstractBarSeries *bars(const char *chartName) const
    {
        auto *view = report->findChild<QChartView *>(QLatin1String(chartName));
        return qobject_cast<QAbstractBarSeries *>(view->chart()->series().first());
    }
};

} // namespace

TEST_F(ReportViewTest, FollowsTheParse_AndItsClicksSelectAndScroll)
{
    openAndShowReport();
    auto *table = report->findChild<QTableView *>(QStringLiteral("characterTable"));
    ASSERT_EQ(table->model()->rowCount(), 3);
    // Sorted by speeches: CARL's 30 first.
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), QStringLiteral("CARL"));
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), QStringLiteral("30"));
    ASSERT_NE(report->facts(), nullptr);
    EXPECT_EQ(report->facts()->script.scenes, 31);

    // A row selects its character in the list, as clicking it there does.
    QListWidget *list = formOf(*window).listWidget;
    const QRect carlRow = table->visualRect(table->model()->index(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, carlRow.center());
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("CARL "));
    // The dialogue bar at the top is CARL's too (counted from the bottom by the series).
    QAbstractBarSeries *dialogue = bars("dialogueChart");
    list->clearSelection();
    emit dialogue->clicked(dialogue->barSets().first()->count() - 1, dialogue->barSets().first());
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("CARL "));

    // The last scene's bar scrolls the text down to it; the location bar of HALL back up.
    MarkupView *text = formOf(*window).webView;
    text->verticalScrollBar()->setValue(0);
    QAbstractBarSeries *lengths = bars("sceneLengthChart");
    emit lengths->clicked(30, lengths->barSets().first());
    const int atLastScene = text->verticalScrollBar()->value();
    EXPECT_GT(atLastScene, 0);
    QAbstractBarSeries *locations = bars("locationChart");
    const int hallFromBottom = locations->barSets().first()->count() - 1 - 2; // SHED, YARD, HALL
    emit locations->clicked(hallFromBottom, locations->barSets().first());
    EXPECT_LT(text->verticalScrollBar()->value(), atLastScene);

    // A parse of another screenplay shows its facts.
    window->loadScreenplay(dir.scratch().write(
        QStringLiteral("two.txt"), "INT. HALL - DAY\n\n                    ANNA\n          Hi.\n"));
    QCoreApplication::processEvents();
    EXPECT_EQ(table->model()->rowCount(), 1);
    // Time-coded records have no headings, lines or pages: the charts stay empty, not broken.
    QFile::copy(corpusFile(QStringLiteral("the_duel.csv")), dir.scratch().file("duel.csv"));
    window->loadScreenplay(dir.scratch().file("duel.csv"));
    QCoreApplication::processEvents();
    EXPECT_GT(table->model()->rowCount(), 0);
    EXPECT_EQ(report->facts()->script.eighths, 0);
}

TEST_F(ReportViewTest, SaveReport_WritesATwoPagePdf_OrSaysWhyNot)
{
    window->show();
    formOf(*window).actionSave_Report->trigger();
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().contains(QLatin1String("open one")));

    // A name longer than the half-page bar chart has room for.
    window->loadScreenplay(dir.scratch().write(
        QStringLiteral("play.txt"),
        script() + "INT. HALL - DAY\n\n                    PATRONS THREE AND FOUR\n"
                   "          Shh.\n\n"));
    const QString path = dir.scratch().file(QStringLiteral("report"));
    {
        ModalAnswerer answerer(chooseFile(path));
        formOf(*window).actionSave_Report->trigger();
    }
    const QByteArray pdf = readBytes(path + QStringLiteral(".pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF")) << "the suffix is added when none is given";
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path + QStringLiteral(".pdf")});
    if (info.waitForFinished(10000) && info.exitCode() == 0) {
        EXPECT_TRUE(
            QString::fromUtf8(info.readAllStandardOutput()).simplified().contains("Pages: 2"));
    }
    // Every word of the charts' page stands inside the margins (15 mm, 42.5 points), where
    // the page clips nothing away.
    QProcess words;
    words.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                 QStringLiteral("1"), QStringLiteral("-bbox"), path + QStringLiteral(".pdf"),
                 QStringLiteral("-")});
    ASSERT_TRUE(words.waitForFinished(10000));
    const QString boxes = QString::fromUtf8(words.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)<"));
    int seen = 0;
    for (auto match = word.globalMatch(boxes); match.hasNext(); ++seen) {
        const QRegularExpressionMatch found = match.next();
        EXPECT_GE(found.captured(1).toDouble(), 42.0) << qPrintable(found.captured(2));
    }
    EXPECT_GT(seen, 50);
}
