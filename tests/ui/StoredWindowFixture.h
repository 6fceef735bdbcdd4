// A window started on a store file of the test's own, restarted at will on the same file.
#pragma once

#include "StoreFiles.h"
#include "UiFixture.h"

#include <QTemporaryDir>
#include <QTest>

class StoredWindowFixture : public UiFixture {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
    }
    void TearDown() override
    {
        if (m_window)
            UiFixture::TearDown();
    }

    // A new engine and window started on m_path, shown when the start-up succeeded.
    bool startWindow(StoreOptions options = {})
    {
        if (m_window)
            UiFixture::TearDown();
        m_sink.shown.clear();
        makeWindow();
        if (!m_window->startUp(m_path, options))
            return false;
        m_window->show();
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    QString saveMarker() const { return m_engine->markers().save; }
    // The four texts and the remaining count as the window shows them.
    QStringList shown() const
    {
        return {ref()->toPlainText(), soluce()->toPlainText(), propal()->toPlainText(),
                lettres()->toPlainText(), label(QStringLiteral("lettres_restantes"))};
    }

    QTemporaryDir m_dir;
    QString m_path;
};
