#pragma once

#include "DrawRecord.h"
#include "SqliteDb.h"

#include <string>
#include <vector>

namespace quorlent {

// Inserts records into Lishi, every column as its own statement would, in as few steps and with
// as few bound values as the records allow. A run of records, each of which keeps the one before
// as its previous draw (as a writing run derives them), goes in sixteen rows a statement whose
// previous-draw and earlier-draw codes are the earlier rows' own values, bound once: about thirty
// values a row instead of seventy-two. Any other record goes in by a statement of its own.
// Inside the caller's transaction.
class LishiInserter
{
  public:
    explicit LishiInserter(SqliteDb &db);
    bool isValid() const { return m_single.isValid(); }

    bool add(const DrawRecord &record);
    // Inserts what is still waiting; the inserter can take more records afterwards.
    bool finish();

    // The statement for one record, and for `rows` records sharing their codes; `earlierTexts`
    // says whether the earlier-draw texts are written (only the rebuild writes them).
    static std::string singleStatement();
    static std::string batchStatement(int rows, bool earlierTexts);

  private:
    // Whether `record` continues the waiting records as a run does.
    bool continues(const DrawRecord &record) const;
    bool insertSingle(const DrawRecord &record);
    bool insertBatch();

    SqliteDb &m_db;
    Statement m_single;
    Statement m_batch[2]; // without, with the earlier-draw texts
    int m_batchRows = 0;
    std::vector<DrawRecord> m_waiting;
    bool m_earlierTexts = false; // of the waiting records
};

} // namespace quorlent
