#include <tavix/native/drag_drop.h>

#include <utility>

namespace tavix::native {

void DataObject::SetData(UINT format, std::optional<std::string> value) { formats_[format] = std::move(value); }

std::optional<std::string> DataObject::GetData(UINT format)
{
    auto it = formats_.find(format);
    // Asked once per request: a callback that reads the data itself gets what is there.
    if ((it == formats_.end() || !it->second) && wanted_ && !asking_) {
        asking_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset { asking_ };
        wanted_(*this, format);
        it = formats_.find(format);
    }
    return it == formats_.end() ? std::nullopt : it->second;
}

bool DataObject::GetFormat(UINT format) const { return formats_.contains(format); }

void DataObject::Clear() { formats_.clear(); }

}  // namespace tavix::native
