// Reads count lists (COUNT<TAB>WORD lines, as --count writes them) fed piece by piece, handing on each good line.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace quillora {

class CountListReader
{
public:
    // The word's bytes stay valid only during the call.
    using CountedWord = std::function<void(QByteArrayView word, quint64 count)>;
    struct BadLine
    {
        qint64 line = 0; // counted from 1
        QString reason;
    };
    static constexpr qsizetype keptBadLines = 10;

    explicit CountListReader(CountedWord counted);

    // A piece may end anywhere: inside a line, a count, a CR LF pair or a UTF-8 sequence.
    void feed(QByteArrayView bytes);
    // Takes the last line, which may lack its line break; called once, after the last piece.
    void finish();

    // The first keptBadLines bad lines, in order.
    const std::vector<BadLine>& badLines() const { return badLines_; }
    qint64 badLineCount() const { return badLineCount_; }

private:
    void takeLine(const char* at, const char* end, bool wellFormed, bool hasSpace);
    void takeCarriedLine();
    const char* passBreak(const char* lineBreak, const char* end);
    void tellBadLine(const char* reason);

    CountedWord counted_;
    // The start of a line cut by the end of the last piece.
    std::string carry_;
    qint64 line_ = 1;
    // The last piece ended with a CR, whose LF may open the next one.
    bool afterCr_ = false;
    std::vector<BadLine> badLines_;
    qint64 badLineCount_ = 0;
};

} // namespace quillora
