// The frames between the command line's coordinating process and its workers.

#include "WorkerChannel.h"

#include <gtest/gtest.h>

TEST(WorkerChannelTest, FramesArriveWhole_WhateverPiecesThePipeDeliversThemIn)
{
    FileOutcome outcome;
    outcome.succeeded = true;
    outcome.messages = QByteArray("quillmark-cli: a message\n\0binary", 33);
    outcome.json = "{\"file\":\"é.txt\"}\n";
    outcome.summaryRow = QStringLiteral("é.txt,text\n");
    const QByteArray stream =
        WorkerChannel::encodeReply({7, outcome}) + WorkerChannel::encodeReply({8, FileOutcome()});

    QByteArray buffer;
    std::vector<WorkerChannel::Reply> replies;
    for (const char byte : stream) { // one byte at a time, the worst a pipe can do
        buffer.append(byte);
        while (std::optional<WorkerChannel::Reply> reply = WorkerChannel::takeReply(buffer))
            replies.push_back(*reply);
    }
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(replies[0].index, 7);
    EXPECT_TRUE(replies[0].outcome.succeeded);
    EXPECT_EQ(replies[0].outcome.messages, outcome.messages);
    EXPECT_EQ(replies[0].outcome.json, outcome.json);
    EXPECT_EQ(replies[0].outcome.summaryRow, outcome.summaryRow);
    EXPECT_EQ(replies[1].index, 8);
    EXPECT_FALSE(replies[1].outcome.succeeded);

    QByteArray request = WorkerChannel::encodeRequest({3, QStringLiteral("a b/c.fdx")});
    const std::optional<WorkerChannel::Request> taken = WorkerChannel::takeRequest(request);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->index, 3);
    EXPECT_EQ(taken->path, QStringLiteral("a b/c.fdx"));
}
