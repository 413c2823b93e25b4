// The result of an SQLite query as a record set: the late-bound object Tavix::FillFromRS
// reads ("Recordset": Supports, RecordCount, MoveFirst, MoveNext, EOF, Fields), with the
// same members callable from C++.
#pragma once

#include <tavix/dispatch.h>
#include <tavix/sqlite/database.h>
#include <tavix/sqlite/field_info.h>
#include <tavix/sqlite/statement.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace tavix::sqlite {

// The capability "Supports" is asked about: going back to any record.
inline constexpr int32_t kSupportsBookmark = 8192;

class Recordset : public Dispatch, public std::enable_shared_from_this<Recordset> {
public:
    // Static keeps every record it read and knows its record count; ForwardOnly lets go of the
    // records the cursor has passed and knows its count only once it read to the end.
    enum class CursorType { Static, ForwardOnly };

    // Rows read on opening, from which the types of the fields are chosen.
    static constexpr int kTypeSampleRows = 100;

    // Runs `sql` and reads the type sample; `db` must outlive the record set. Throws Error.
    static std::shared_ptr<Recordset> Open(
        Database& db, const std::string& sql, CursorType cursor = CursorType::Static);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& Field(int index) const { return fields_.at(static_cast<size_t>(index)); }
    // The first field of that name, compared without regard to case; -1 when there is none.
    int FieldIndex(std::string_view name) const;

    // The number of records, or -1 while a forward-only cursor has not read to the end.
    int64_t RecordCount();
    // Only kSupportsBookmark is answered: a static cursor, or a forward-only one that holds its whole result.
    bool Supports(int32_t option);
    bool Eof();
    // Back to the first record; a forward-only cursor that let it go runs the query again.
    void MoveFirst();
    void MoveNext();
    // Reads until `records` records are held from the current one on, or the result ends.
    void ReadAhead(int64_t records);
    // A value of the current record. Throws TavixError at EOF.
    const GridVariant& Value(int field);

    GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) override;
    std::string TypeName() const override { return "Recordset"; }

    // Open makes record sets; the key keeps everyone else from doing so.
    class OpenKey {
        friend class Recordset;
        OpenKey() = default;
    };
    Recordset(OpenKey, Statement statement, CursorType cursor);

private:
    // Reads records until `record` is held or the result ends; true when it is held.
    bool Hold(int64_t record);
    bool ReadRecord();
    void Requery();
    GridVariant FieldByKey(const GridVariant& key);
    GridVariant FieldsCollection();

    Statement statement_;
    CursorType cursor_;
    std::vector<FieldInfo> fields_;
    std::deque<GridVariant> values_;  // the held records, one value per field, in order
    int64_t firstHeld_ { 0 };  // result positions are counted from 0
    int64_t read_ { 0 };
    int64_t current_ { 0 };
    bool ended_ { false };
};

}  // namespace tavix::sqlite
