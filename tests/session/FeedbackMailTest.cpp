#include "session/FeedbackMailTexts.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace vellum;

TEST(FeedbackMailTest, MailURLKeepsEveryCharacterOfSubjectAndBody) {
    const QString subject = "Bug & fix = 100% + more";
    const QString body = "Line one\nA+B #2 — “quoted” · ä?&body=evil";
    const QByteArray encoded =
        feedbackMailURL(QString::fromUtf16(feedbackAddress), subject, body).toEncoded();
    const QByteArray query = encoded.mid(encoded.indexOf('?') + 1);
    for (const char unsafe : {'+', ' ', '#'}) {
        EXPECT_FALSE(query.contains(unsafe)) << unsafe;
    }
    EXPECT_EQ(query.count('&'), 1);
    const QUrlQuery parsed(QUrl::fromEncoded(encoded));
    EXPECT_EQ(parsed.queryItemValue("subject", QUrl::FullyDecoded), subject);
    EXPECT_EQ(parsed.queryItemValue("body", QUrl::FullyDecoded), body);
    EXPECT_EQ(feedbackMailURL("a@b.c", "Vellum", "").toEncoded(), "mailto:a@b.c?subject=Vellum");
}
