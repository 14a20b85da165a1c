#include "platform/AppTempFolderSystem.h"

juce::File AppTempFolderSystem::getCacheRoot()
{
    return juce::File ("~/Library/Caches");
}

bool AppTempFolderSystem::moveToTrash (const juce::File& folder)
{
    return folder.moveToTrash();
}
