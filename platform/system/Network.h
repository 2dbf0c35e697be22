#pragma once
// What the system knows of the network share a path lies on. On this
// platform shares are mounts: the mount table names the file system type and
// the remote source of each mount point.
#include <cstddef>
#include <string>

struct CNetResourceInfo {
    // The provider family: "NFS" for NFS mounts, "Microsoft Windows Network"
    // for SMB/CIFS mounts, the file system type for other network file
    // systems, and "" for a local file system (no network provider).
    std::string m_provider;
    // The mount's source as the system reports it ("server:/export", "//server/share").
    std::string m_remoteName;
    // The local directory the share is mounted on; paths below it lie on the share.
    std::string m_mountPoint;

    bool IsNetwork() const { return !m_provider.empty(); }
};

namespace Network {

// The mount table read by default, and the environment variable that names
// another one (for scripts and tests that describe shares of their own).
constexpr const char* kDefaultMountTable = "/proc/self/mounts";
constexpr const char* kMountTableVariable = "WIZ_MOUNT_TABLE";

// The share that holds `absolutePath` (the deepest mount point containing it).
// A mount table that cannot be read gives a local answer.
CNetResourceInfo GetResourceInformation(const std::string& absolutePath);

// Reads mounts from another file (tests); "" goes back to $WIZ_MOUNT_TABLE or the default.
void SetMountTableFile(const std::string& path);
// Number of GetResourceInformation calls since start, for cache tests.
std::size_t QueryCount();

// The provider name for a file system type ("" when it is not a network one).
std::string ProviderForType(const std::string& fsType);

} // namespace Network
