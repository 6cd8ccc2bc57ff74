// Helpers shared by the tests: readable QString output, temporary files, skipping where root ignores permissions.
#pragma once

#include "platform/testing/FindControl.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QByteArray& bytes, std::ostream* out);
QT_END_NAMESPACE

namespace quillora::testing {

// True when permission bits do not stop this process (root with its override capabilities).
bool runningAsRoot();
// Writes bytes to path, creating folders; fails the test when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Every file below folder, hidden ones too, by its path relative to folder, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& folder);
// Native separators for a path made with "/".
QString native(const QString& path);

// Sets environment variables for its lifetime (a null value unsets one), then puts back what they were.
class EnvironmentOverride
{
public:
    explicit EnvironmentOverride(std::initializer_list<std::pair<const char*, QByteArray>> values);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::vector<std::pair<const char*, QByteArray>> old_;
};

} // namespace quillora::testing

// Permission bits do not stop root: scripts/test runs the tests without root's override capabilities, elsewhere
// such tests are skipped.
#define QUILLORA_SKIP_AS_ROOT()                                                                                        \
    do {                                                                                                               \
        if (quillora::testing::runningAsRoot())                                                                        \
            GTEST_SKIP() << "permission bits do not stop this process; scripts/test runs it without root's overrides"; \
    } while (false)
