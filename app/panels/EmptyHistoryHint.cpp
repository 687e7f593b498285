#include "EmptyHistoryHint.h"

#include "Game.h"

using namespace quorlent;

namespace emptyhistory {

namespace {

// The daily game numbered by year, as 新建历史库 offers it.
bool isDailyPreset(const Game &game)
{
    return game == *Game::make(1, IssueForm::YearSequence4);
}

} // namespace

QString sampleFile(const Game &game)
{
    if (game.isStandard())
        return QStringLiteral("示例历史号码.txt");
    if (isDailyPreset(game))
        return QStringLiteral("示例每天一期.csv");
    return {};
}

QString exampleLine(const Game &game, int32_t issue)
{
    return game.displayForm(issue) + QStringLiteral(" 12345");
}

QString hint(const Game &game, int32_t nextIssue)
{
    if (game.isStandard())
        return QStringLiteral(
            "还没有历史号码。\n\n"
            "点“读取历史号文本(W)”，选 历史号码/示例历史号码.txt（三周的示例开奖号码），"
            "就可以试着检索了。\n\n"
            "也可以在下面逐期输入开奖号码，或设置网址后用“历史号在线更新(O)”。\n\n"
            "其他彩种：历史管理 → 新建历史库。");
    const QString ownFile = QStringLiteral("文本或 CSV 文件，每行一期：期号和五个开奖号码，如“%1”")
                                .arg(exampleLine(game, nextIssue));
    const QString typing =
        QStringLiteral("也可以在下面逐期输入：先把期号改成要输入的那一期，再输入五个号码。");
    if (isDailyPreset(game))
        return QStringLiteral("还没有历史号码。\n\n"
                              "点“读取历史号文本(W)”，文件类型选“逗号分隔”，选 历史号码/%1"
                              "（五个月的示例开奖号码，每天一期），在“导入预览”中按“导入”，"
                              "就可以试着检索了。\n\n"
                              "读入自己的开奖号码也是这样：%2。\n\n%3")
            .arg(sampleFile(game), ownFile, typing);
    return QStringLiteral("还没有历史号码（本历史库：%1）。\n\n"
                          "读入自己的开奖号码：点“读取历史号文本(W)”，选%2，"
                          "在“导入预览”中核对后按“导入”。\n\n"
                          "历史号码/ 中的示例是别的彩种的，不适合本历史库。\n\n%3")
        .arg(game.scheduleName(), ownFile, typing);
}

} // namespace emptyhistory
