#pragma once
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>
namespace quillora {
class CountListReader
{
public:
    using CountedWord = std::function<void(QByteArrayView word, quint64 count)>;
    struct BadLine
    {
        qint64 line;
        QString reason;
    };
    explicit CountListReader(CountedWord counted)
        : counted_(std::move(counted))
    { }
    void feed(QByteArrayView) { }
    void finish() { }
    const std::vector<BadLine>& badLines() const { return bad_; }
    qint64 badLineCount() const { return qint64(bad_.size()); }

private:
    CountedWord counted_;
    std::vector<BadLine> bad_;
};
} // namespace quillora
