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
    // ForwardOnly (the default) reads each record when the cursor comes to it and lets it go when
    // the cursor moves on; it knows its record count only once it has read to the end, so
    // FillFromRS walks it to count and then runs the query a second time. Static keeps every
    // record it read and counts by reading the whole result: the query runs once, and every
    // value is held in memory.
    enum class CursorType { ForwardOnly, Static };

    // Rows read on opening, from which the types of the fields are chosen.
    static constexpr int kTypeSampleRows = 100;

    // Runs `sql` and reads the type sample; `db` must outlive the record set. Throws Error.
    static std::shared_ptr<Recordset> Open(
        Database& db, const std::string& sql, CursorType cursor = CursorType::ForwardOnly);

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
    // Reads until `records` records are held from the current one on, or the result ends. A
    // forward-only cursor that so holds its whole result knows its count and can go back to
    // the start: FillFromRS then runs the query once.
    void ReadAhead(int64_t records);
    // A value of the current record. Throws TavixError at EOF.
    GridVariant Value(int field);

    GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) override;
    std::string TypeName() const override { return "Recordset"; }

    // Open makes record sets; the key keeps everyone else from doing so.
    class OpenKey {
        friend class Recordset;
        OpenKey() = default;
    };
    Recordset(OpenKey, Statement statement, CursorType cursor);

private:
    // Steps to the next row of the result; false at its end.
    bool StepRow();
    // Steps until `record` has been read or the result ends; true when it is still available.
    bool Hold(int64_t record);
    void BufferLiveRow();
    void Requery();
    GridVariant FieldByKey(const GridVariant& key);
    GridVariant FieldsCollection();

    // The records available are [bufferStart_, read_): the buffered ones, converted already,
    // then possibly the statement's own row (the "live" one), converted only when asked for.
    // Result positions count from 0.
    Statement statement_;
    CursorType cursor_;
    std::vector<FieldInfo> fields_;
    std::deque<GridVariant> values_;  // the buffered records, one value per field, in order
    int64_t buffered_ { 0 };
    int64_t bufferStart_ { 0 };
    int64_t read_ { 0 };
    int64_t current_ { 0 };
    bool live_ { false };
    bool ended_ { false };
};

}  // namespace tavix::sqlite
