// The settings file ("file1.dat"): two bools and six int32 values, 26 bytes; a reader
// ignores anything after them.

#include "store/StoreFile.h"
#include "store/Stores.h"

namespace store {

bool ReadSettings(const std::string& folder, SSettings& settings, ReadOutcome* outcome,
                  UncopiedDamage* damage)
{
    SSettings read;
    const ReadOutcome result = ReadStoreFile(
        folder, kSettingsFile,
        [&](ArchiveReader& in) {
            read.alwaysOnTop = in.readBool();
            read.panelVisible = in.readBool();
            read.panelColor = in.readInt32();
            read.panelStyle = in.readInt32();
            read.listViewMode = in.readInt32();
            read.hotKeyMode = in.readInt32();
            read.panelLeft = in.readInt32();
            read.panelTop = in.readInt32();
            return true;
        },
        damage, TrailingBytes::Ignored);
    // A short file gives the whole set of defaults, not the values it did hold.
    settings = result == ReadOutcome::Complete ? read : SSettings{};
    if (outcome)
        *outcome = result;
    return result == ReadOutcome::Complete;
}

StoreResult WriteSettings(const std::string& folder, const SSettings& settings,
                          UncopiedDamage* damage)
{
    return WriteStoreFile(
        folder, kSettingsFile,
        [&](ArchiveWriter& out) {
            out.writeBool(settings.alwaysOnTop);
            out.writeBool(settings.panelVisible);
            out.writeInt32(settings.panelColor);
            out.writeInt32(settings.panelStyle);
            out.writeInt32(settings.listViewMode);
            out.writeInt32(settings.hotKeyMode);
            out.writeInt32(settings.panelLeft);
            out.writeInt32(settings.panelTop);
        },
        damage);
}

} // namespace store
