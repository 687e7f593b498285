// Any bytes as a history text file, read as an import file and as the backup file, in the line
// form of the original game and of another game taken from the first byte.
#include "FuzzCheck.h"
#include "HistoryLine.h"
#include "HistoryTextReader.h"

#include <QByteArray>
#include <cstdint>

using namespace quorlent;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<qsizetype>(size));
    static const std::vector<Game> games = Game::presets();
    const Game &other = games[size > 0 ? data[0] % games.size() : 0];
    for (const Game &game : {Game::standard(), other}) {
        for (const LineMode mode : {LineMode::Import, LineMode::Rebuild}) {
            const HistoryTextReader::Result result = HistoryTextReader::parse(bytes, mode, game);
            FUZZ_CHECK(result.readOk, "reading bytes in memory cannot fail");
            for (const HistoryLine &line : result.lines) {
                for (const uint8_t digit : line.digits)
                    FUZZ_CHECK(digit <= 9, "every stored digit is 0-9");
                FUZZ_CHECK(line.storable(), "only storable lines are handed on");
                // A deletion writes the history to the backup file and rebuilds from it: the
                // line must come back as the same draw.
                const QString backup = backupLine(line.sqqh, line.digits, game);
                const auto reread = parseHistoryLine(backup, LineMode::Rebuild, game);
                FUZZ_CHECK(reread.has_value(), "a stored draw's backup line is a draw");
                FUZZ_CHECK(*reread == line, "a stored draw round-trips through its backup line");
            }
        }
    }
    return 0;
}
