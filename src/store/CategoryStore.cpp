// The category store ("data3.log"): a count, then one string per name. An empty list is
// saved as a count of 0, which reads back as the factory list.

#include "model/Factory.h"
#include "store/StoreFile.h"
#include "store/Stores.h"

namespace store {

ReadOutcome ReadCategories(const std::string& folder, Categories& categories,
                           UncopiedDamage* damage)
{
    enum class Content { Factory, Names, Nothing };
    Content content = Content::Factory;
    categories.clear();
    const ReadOutcome outcome = ReadStoreFile(
        folder, kCategoriesFile,
        [&](ArchiveReader& in) {
            const std::int32_t count = in.readCount();
            if (count < 0) {
                content = Content::Nothing;
                return false;
            }
            for (std::int32_t i = 0; i < count; ++i)
                categories.append(in.readString());
            if (count > 0)
                content = Content::Names;
            return true;
        },
        damage);
    if (content == Content::Factory)
        LoadFactoryCategories(categories);
    else if (content == Content::Nothing)
        categories.clear();
    return outcome;
}

StoreResult WriteCategories(const std::string& folder, const Categories& categories,
                            UncopiedDamage* damage)
{
    return WriteStoreFile(
        folder, kCategoriesFile,
        [&](ArchiveWriter& out) {
            out.writeCount(static_cast<std::int32_t>(categories.count()));
            for (const std::string& name : categories.all())
                out.writeString(name);
        },
        damage);
}

} // namespace store
