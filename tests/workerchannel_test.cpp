// The frames between the command line's coordinating process and its workers.

#include "WorkerChannel.h"

#include <gtest/gtest.h>

#include <unistd.h>

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

TEST(WorkerChannelTest, OverlongOrGarbledFrames_AreRefusedBeforeAnythingIsAllocated)
{
    const QByteArray overlong("\xFF\xFF\xFF\xFF"
                              "29 bytes follow, not 4 GiB...",
                              33);
    QByteArray buffer = overlong;
    const std::optional<WorkerChannel::Reply> reply = WorkerChannel::takeReply(buffer);
    ASSERT_TRUE(reply.has_value()); // refused at once, without waiting for 4 GiB
    EXPECT_EQ(reply->index, -1);
    EXPECT_TRUE(buffer.isEmpty());

    // A frame of the right length whose payload is not a request.
    QByteArray garbled("\x00\x00\x00\x03xyz", 7);
    EXPECT_EQ(WorkerChannel::takeRequest(garbled)->index, -1);

    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const QByteArray greeting = WorkerChannel::encodeGreeting("token");
    ASSERT_TRUE(WorkerChannel::writeAll(pipeEnds[1], greeting + overlong));
    close(pipeEnds[1]);
    EXPECT_EQ(WorkerChannel::readGreeting(pipeEnds[0]), QByteArray("token"));
    const std::optional<WorkerChannel::Request> request = WorkerChannel::readRequest(pipeEnds[0]);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->index, -1);
    close(pipeEnds[0]);
}
