#pragma once

// The fixture of the race tests: `count` files f0, f1… in <base>/sub and,
// with the same names but other bytes, in `outside`; <base>/alt is a link
// to `outside`. A NameSwapper then swaps sub with alt, or each file with a
// link to its outside twin, while the main thread removes or trashes the
// files of sub by identity.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QPair>

#include "platform/SafeFolder.h"
#include "tests/platform/RawFiles.h"
#include "tests/support/NameSwapper.h"

#include <functional>

namespace rwtest
{

class RaceFixture
{
public:
    RaceFixture(const QByteArray& base, const QByteArray& outside, int count)
        : m_sub(base + "/sub"), m_alt(base + "/alt"), m_outside(outside), m_count(count)
    {
        raw::makeFolder(m_sub);
        raw::makeFolder(m_outside);
        for (int i = 0; i < count; ++i) {
            raw::writeFile(m_sub + "/" + name(i), "inside " + name(i));
            raw::writeFile(m_outside + "/" + name(i), "outside " + name(i));
            m_ids << raw::identityOf(m_sub + "/" + name(i));
        }
        m_subId = raw::identityOf(m_sub);
        raw::makeLink(m_alt, m_outside);
    }

    static QByteArray name(int i) { return "f" + QByteArray::number(i); }
    int count() const { return m_count; }
    const QByteArray& sub() const { return m_sub; }
    // The (sub, alt) pair for a NameSwapper.
    QList<QPair<QByteArray, QByteArray>> folderPair() const { return {{m_sub, m_alt}}; }
    // Gives each file of sub a link l<i> to its outside twin; the (f<i>,
    // l<i>) pairs for a NameSwapper.
    QList<QPair<QByteArray, QByteArray>> makeFileLinks() const
    {
        QList<QPair<QByteArray, QByteArray>> pairs;
        for (int i = 0; i < m_count; ++i) {
            const QByteArray link = m_sub + "/l" + QByteArray::number(i);
            raw::makeLink(link, m_outside + "/" + name(i));
            pairs << qMakePair(m_sub + "/" + name(i), link);
        }
        return pairs;
    }

    // What the main thread expects of file i and of sub: even files go by
    // identity, odd ones by name and type alone, so that only the refusal
    // of links keeps their outside twins safe.
    rw::FileIdentity fileId(int i) const
    {
        return i % 2 == 0 ? m_ids[i] : rw::FileIdentity{0, 0, rw::FileIdentity::Type::File};
    }
    rw::FileIdentity subId(int i) const { return i % 2 == 0 ? m_subId : rw::FileIdentity{}; }

    // Opens sub for file i, trying again while the swapper has it replaced
    // by the link; false when it never opened.
    bool openSub(int i, rw::SafeFolder* folder) const
    {
        for (int attempt = 0; attempt < 100000; ++attempt) {
            if (folder->open(m_sub, subId(i)))
                return true;
        }
        return false;
    }

    // Runs `step` for each file while `swapper` runs, with at least one
    // swap between two steps.
    void run(NameSwapper& swapper, const std::function<void(int)>& step) const
    {
        ASSERT_TRUE(swapper.waitUntilSwapping(10));
        for (int i = 0; i < m_count; ++i) {
            swapper.waitForSwapsAfter(swapper.swaps(), 100);
            step(i);
        }
        swapper.stop();
    }

    // Fails the test for every outside file that is gone or changed.
    void expectOutsideIntact() const
    {
        for (int i = 0; i < m_count; ++i)
            EXPECT_EQ(raw::readFile(m_outside + "/" + name(i)), "outside " + name(i));
        EXPECT_EQ(raw::names(m_outside).size(), m_count);
    }

private:
    QByteArray m_sub;
    QByteArray m_alt;
    QByteArray m_outside;
    int m_count;
    QList<rw::FileIdentity> m_ids;
    rw::FileIdentity m_subId;
};

} // namespace rwtest
