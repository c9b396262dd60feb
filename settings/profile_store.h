// What the settings need of the system's profile functions and files, as an interface: the
// portable load and save decide, a store carries out.
#pragma once

#include <cstdint>
#include <string>

// The profile functions and the file operations the settings need. Every text is UTF-8: paths
// reach the file system whole, whatever the system's code page; the store keeps section, key and
// value texts in Zirel.ini in the system's ANSI code page, as files written by earlier versions
// hold them.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The value, or "" for a missing file, section or key.
    virtual std::string Read(const std::string& section, const std::string& key,
                             const std::string& file) = 0;
    // False when the value could not be written (a read-only folder, a full disk).
    virtual bool Write(const std::string& section, const std::string& key,
                       const std::string& value, const std::string& file) = 0;
    // True when `path` names a file that can be opened for reading.
    virtual bool Opens(const std::string& path) = 0;
    // When the file was last written, in any steady unit; 0 when it is missing.
    virtual int64_t WriteTime(const std::string& path) = 0;
    // Removes the file; false when it is still there.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Makes `folder`, if it is not there yet.
    virtual void MakeFolder(const std::string& folder) = 0;
};
