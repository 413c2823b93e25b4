#include <tavix/sqlite/recordset.h>

#include "sqlite/field_object.h"
#include "sqlite/field_typing.h"
#include "sqlite/late_binding.h"
#include "sqlite/sample_rows.h"
#include "sqlite/value_reader.h"

#include <tavix/error.h>

#include <limits>

namespace tavix::sqlite {

namespace {

constexpr int32_t kErrWrongArgumentCount = 450;

}  // namespace

std::shared_ptr<Recordset> Recordset::Open(Database& db, const std::string& sql, CursorType cursor)
{
    return std::make_shared<Recordset>(OpenKey(), db.Prepare(sql), cursor);
}

Recordset::Recordset(OpenKey, Statement statement, CursorType cursor)
    : statement_(std::move(statement))
    , cursor_(cursor)
{
    const int count = statement_.ColumnCount();
    for (int c = 0; c < count; ++c)
        fields_.push_back(FieldInfo { .name = statement_.ColumnName(c),
            .declaredType = statement_.DeclaredType(c),
            .baseTable = statement_.TableName(c),
            .baseColumn = statement_.OriginName(c) });
    const SampleRows sample(statement_, kTypeSampleRows);
    for (int c = 0; c < count; ++c)
        ChooseFieldType(fields_[static_cast<size_t>(c)], sample.Column(c));
    for (int r = 0; r < sample.Rows(); ++r)
        for (int c = 0; c < count; ++c)
            values_.push_back(ReadValue(sample.At(r, c), fields_[static_cast<size_t>(c)]));
    buffered_ = read_ = sample.Rows();
    ended_ = sample.Ended();
}

int Recordset::FieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (IsMember(name, fields_[i].name))
            return static_cast<int>(i);
    return -1;
}

void Recordset::BufferLiveRow()
{
    for (size_t c = 0; c < fields_.size(); ++c)
        values_.push_back(ReadValue(statement_.Value(static_cast<int>(c)), fields_[c]));
    ++buffered_;
    live_ = false;
}

bool Recordset::StepRow()
{
    // Stepping a finished statement would run it again.
    if (ended_)
        return false;
    if (live_ && (cursor_ == CursorType::Static || read_ - 1 >= current_)) {
        BufferLiveRow();
    } else if (live_) {
        // Passed by a forward-only cursor: never converted, and let go.
        bufferStart_ = read_;
        live_ = false;
    }
    if (!statement_.Step()) {
        ended_ = true;
        return false;
    }
    ++read_;
    live_ = true;
    return true;
}

bool Recordset::Hold(int64_t record)
{
    while (read_ <= record && StepRow()) { }
    return record >= bufferStart_ && record < read_;
}

void Recordset::Requery()
{
    statement_.Reset();
    values_.clear();
    buffered_ = bufferStart_ = read_ = current_ = 0;
    live_ = ended_ = false;
}

int64_t Recordset::RecordCount()
{
    if (cursor_ == CursorType::Static)
        while (StepRow()) { }
    return ended_ ? read_ : -1;
}

bool Recordset::Supports(int32_t option)
{
    return option == kSupportsBookmark && (cursor_ == CursorType::Static || (ended_ && bufferStart_ == 0));
}

bool Recordset::Eof() { return !Hold(current_); }

void Recordset::MoveFirst()
{
    if (bufferStart_ == 0)
        current_ = 0;
    else
        Requery();
}

void Recordset::MoveNext()
{
    if (Eof())
        RaiseNoCurrentRecord();
    ++current_;
    if (cursor_ == CursorType::Static)
        return;
    for (; buffered_ > 0 && bufferStart_ < current_; --buffered_, ++bufferStart_)
        values_.erase(values_.begin(), values_.begin() + static_cast<std::ptrdiff_t>(fields_.size()));
}

void Recordset::ReadAhead(int64_t records) { Hold(current_ + records - 1); }

GridVariant Recordset::Value(int field)
{
    if (field < 0 || field >= FieldCount())
        RaiseNoSuchItem(std::to_string(field));
    // The current record is usually at hand already; Hold reads on only when it is not.
    if ((current_ < bufferStart_ || current_ >= read_) && !Hold(current_))
        RaiseNoCurrentRecord();
    if (live_ && current_ == read_ - 1)
        return ReadValue(statement_.Value(field), fields_[static_cast<size_t>(field)]);
    return values_[static_cast<size_t>(current_ - bufferStart_) * fields_.size() + static_cast<size_t>(field)];
}

GridVariant Recordset::FieldByKey(const GridVariant& key)
{
    const int index = key.IsString() ? FieldIndex(key.AsString()) : key.ToLong();
    if (index < 0 || index >= FieldCount())
        RaiseNoSuchItem(key.ToString());
    return GridVariant(std::shared_ptr<Dispatch>(std::make_shared<sqlite::FieldObject>(shared_from_this(), index)));
}

GridVariant Recordset::FieldsCollection()
{
    auto fields = std::make_shared<DispatchObject>("Fields");
    fields->DefineProperty("Count", GridVariant(FieldCount()));
    fields->DefineMethod("Item", [self = shared_from_this()](std::span<GridVariant> args) {
        if (args.size() != 1)
            throw TavixError::Runtime(kErrWrongArgumentCount);
        return self->FieldByKey(args[0]);
    });
    return GridVariant(std::shared_ptr<Dispatch>(std::move(fields)));
}

GridVariant Recordset::Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args)
{
    if (kind != InvokeKind::PropertyPut) {
        if (IsMember(member, "EOF"))
            return GridVariant(Eof());
        if (IsMember(member, "MoveNext")) {
            MoveNext();
            return {};
        }
        if (IsMember(member, "Fields"))
            return args.empty() ? FieldsCollection() : FieldByKey(args[0]);
        if (IsMember(member, "MoveFirst")) {
            MoveFirst();
            return {};
        }
        if (IsMember(member, "RecordCount")) {
            const int64_t count = RecordCount();
            return count <= std::numeric_limits<int32_t>::max() ? GridVariant(static_cast<int32_t>(count))
                                                                : GridVariant(static_cast<double>(count));
        }
        if (IsMember(member, "Supports") && args.size() == 1)
            return GridVariant(Supports(args[0].ToLong()));
    }
    throw TavixError::Runtime(kErrNoSuchMember);
}

}  // namespace tavix::sqlite
