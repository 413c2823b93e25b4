#include <tavix/tavix.h>
#include <tavix/variant.h>

#include <cstdio>

int main()
{
    std::printf("tavix %s\n", tavix::Version());
    const tavix::GridVariant value(1234.5);
    std::printf("value %s (type %d)\n", value.ToString().c_str(), static_cast<int>(value.VarType()));
    return 0;
}
