// The command button's saved properties: read from its host's property store, written back
// where they differ from their defaults. See command_button.h.
#include "command_button.h"

namespace zirel {

namespace {

template <typename T>
T SavedValue(const PropertyBag& bag, const char* name, const T& fallback)
{
    const auto it = bag.find(name);
    if (it == bag.end())
        return fallback;
    if (const T* value = std::get_if<T>(&it->second))
        return *value;
    return fallback;  // a value of the wrong kind is skipped, like any failing step
}

template <typename T>
void Save(PropertyBag& bag, const char* name, const T& value, const T& fallback)
{
    if (value == fallback)
        bag.erase(name);
    else
        bag[name] = value;
}

}  // namespace

void Command::ReadProperties(const PropertyBag& bag, const CaptionFont& ambientFont)
{
    enabled_ = SavedValue<bool>(bag, "Enabled", true);
    // Saved against "Command" but restored against "Command1": a control captioned exactly
    // "Command" comes back as "Command1".
    caption_ = SavedValue<std::string>(bag, "Caption", "Command1");
    font_ = SavedValue<CaptionFont>(bag, "Font", ambientFont);
    firstRun_ = uint8_t(SavedValue<int64_t>(bag, "FirstRun", 1));
    fontColour_ = uint32_t(SavedValue<int64_t>(bag, "FontColour", 0));
    opaque_ = SavedValue<int64_t>(bag, "Visible", 1) != 0;
    ApplyNormalLook();
}

void Command::Restore(const PropertyBag& bag, const CaptionFont& ambientFont)
{
    ReadProperties(bag, ambientFont);
    Resized();
}

void Command::WriteProperties(PropertyBag& bag, const CaptionFont& ambientFont)
{
    Save<bool>(bag, "Enabled", enabled_, true);
    Save<std::string>(bag, "Caption", caption_, "Command");
    Save<int64_t>(bag, "FirstRun", firstRun_, 1);
    Save<CaptionFont>(bag, "Font", font_, ambientFont);
    Save<int64_t>(bag, "FontColour", fontColour_, 0);
    Save<int64_t>(bag, "Visible", opaque_ ? 1 : 0, 1);
    ApplyNormalLook();
}

}  // namespace zirel
