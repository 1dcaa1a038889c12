#include "SimFileSystem.h"

#include "os/Text.h"
#include "SimDosDevices.h"
#include "SimText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace sim {

struct SimFileSystem::Node {
    std::string name;       // the long name as stored; a volume root holds its device path
    std::string shortName;  // empty when the long name is already 8.3
    std::uint32_t attributes = 0;
    bool directory = false;
    std::string content;
    Node* parent = nullptr;
    bool noShortNames = false;  // on a volume root: 8.3 names are turned off there
    std::vector<std::unique_ptr<Node>> children;  // in creation order, as a directory scan sees them
};

namespace {

using Node = SimFileSystem::Node;

constexpr std::uint32_t kReadOnly = 0x1;
// A letter bound to itself, or two letters bound to each other, must end somewhere.
constexpr int kMaxLinkDepth = 16;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Names compare as NTFS compares them: without case, in every script.
std::string Folded(const std::string& text) { return sim::LowerCase(text); }

bool EqualNoCase(const std::string& a, const std::string& b) { return Folded(a) == Folded(b); }

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One path component: where it was typed, and the name it stands for (trailing
// blanks and dots dropped, as the Win32 path normalisation drops them).
struct Segment {
    std::size_t begin;
    std::size_t length;
    std::string name;
};

enum class PathKind { Invalid, Relative, Drive };

// Splits text from `from` on either separator. "." and empty components vanish,
// ".." takes the previous one back (never above the root). False on a character
// no file name may hold.
bool ParseSegments(const std::string& text, std::size_t from, std::vector<Segment>& segments, bool& trailing)
{
    std::size_t begin = from;
    while (begin <= text.size()) {
        const auto end = std::min(text.find_first_of("\\/", begin), text.size());
        const std::string raw = text.substr(begin, end - begin);
        for (const unsigned char c : raw) {
            if (c < 32 || std::strchr("<>|\"*?:", c))
                return false;
        }
        if (raw == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else {
            const auto last = raw.find_last_not_of(" .");
            if (last != std::string::npos)
                segments.push_back({begin, raw.size(), raw.substr(0, last + 1)});
        }
        begin = end + 1;
    }
    trailing = text.size() > from && (text.back() == '\\' || text.back() == '/');
    return true;
}

bool IsShortNameChar(unsigned char c)
{
    if (c >= 0x80)
        return false;  // a short name is plain ASCII here; other characters become "_"
    if (IsLetter(static_cast<char>(c)) || (c >= '0' && c <= '9'))
        return true;
    return std::strchr("!#$%&'()-@^_`{}~", c) != nullptr && c != '\0';
}

// A name that fits 8.3 needs no second name; case does not matter.
bool IsShortName(const std::string& name)
{
    const auto dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string{} : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || (dot != std::string::npos && ext.empty()))
        return false;
    return std::all_of(base.begin(), base.end(), IsShortNameChar) && std::all_of(ext.begin(), ext.end(), IsShortNameChar);
}

bool NameTaken(const Node& folder, const std::string& name)
{
    return std::any_of(folder.children.begin(), folder.children.end(), [&](const auto& child) {
        return EqualNoCase(child->name, name) || EqualNoCase(child->shortName, name);
    });
}

// Windows' scheme: up to six characters of the base without blanks and dots,
// "~N" with the first N free in the folder, and three of the extension.
std::string MakeShortName(const std::string& longName, const Node& folder)
{
    const auto lastDot = longName.rfind('.');
    const bool hasExt = lastDot != std::string::npos && lastDot != 0;
    const auto clean = [](const std::string& part, std::size_t most) {
        std::string out;
        for (const char c : part) {
            if (out.size() == most)
                break;
            if (c == ' ' || c == '.' || (static_cast<unsigned char>(c) & 0xC0) == 0x80)
                continue;  // a UTF-8 continuation byte is part of the character before it
            out += IsShortNameChar(static_cast<unsigned char>(c)) ? Upper(c) : '_';
        }
        return out;
    };
    std::string base = clean(hasExt ? longName.substr(0, lastDot) : longName, 6);
    const std::string ext = hasExt ? clean(longName.substr(lastDot + 1), 3) : std::string{};
    if (base.empty())
        base.push_back('_');
    for (int n = 1;; ++n) {
        std::string tail = std::to_string(n);
        tail.insert(tail.begin(), '~');
        std::string candidate = base.substr(0, std::min<std::size_t>(base.size(), 8 - tail.size()));
        candidate += tail;
        if (!ext.empty()) {
            candidate += '.';
            candidate += ext;
        }
        if (!NameTaken(folder, candidate))
            return candidate;
    }
}

Node* FindChild(const Node& folder, const std::string& name)
{
    for (const auto& child : folder.children) {
        if (EqualNoCase(child->name, name))
            return child.get();
    }
    for (const auto& child : folder.children) {
        if (EqualNoCase(child->shortName, name))
            return child.get();
    }
    return nullptr;
}

// The entries along segments from start, as far as they exist.
std::vector<Node*> Walk(Node* start, const std::vector<Segment>& segments)
{
    std::vector<Node*> nodes;
    Node* current = start;
    for (const auto& segment : segments) {
        if (!current->directory)
            break;
        current = FindChild(*current, segment.name);
        if (!current)
            break;
        nodes.push_back(current);
    }
    return nodes;
}

// The second name a new entry gets in folder: none when its name is 8.3
// already, or when its volume makes no short names.
std::string ShortNameFor(const std::string& name, const Node& folder)
{
    const Node* root = &folder;
    while (root->parent)
        root = root->parent;
    return (root->noShortNames || IsShortName(name)) ? std::string{} : MakeShortName(name, folder);
}

std::unique_ptr<Node> Detach(Node& node)
{
    auto& siblings = node.parent->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(), [&](const auto& child) { return child.get() == &node; });
    auto detached = std::move(*at);
    siblings.erase(at);
    detached->parent = nullptr;
    return detached;
}

std::string CanonicalPath(const Node& node)
{
    std::string path;
    for (const Node* at = &node; at; at = at->parent) {
        path.insert(0, Folded(at->name));
        if (at->parent)
            path.insert(path.begin(), '\\');
    }
    return path;
}

bool ReadOnly(const Node& node) { return (node.attributes & kReadOnly) != 0; }

}  // namespace

struct SimFileSystem::Resolved {
    PathKind kind = PathKind::Invalid;
    std::string text;  // the path up to its first NUL
    std::size_t rootLength = 0;  // "C:" or "\\server\share", kept as typed
    std::vector<Segment> segments;
    bool trailingSeparator = false;
    Node* root = nullptr;       // what the letter reaches; null when nothing
    std::vector<Node*> nodes;   // one per segment, as far as they exist

    // The entry the path names, or null. A trailing separator must name a folder.
    Node* Target() const
    {
        if (!root || nodes.size() != segments.size())
            return nullptr;
        Node* node = segments.empty() ? root : nodes.back();
        return (trailingSeparator && !node->directory) ? nullptr : node;
    }

    // The folder a missing last segment would be made in, or null when it exists
    // already or cannot be made.
    Node* NewEntryFolder() const
    {
        if (!root || segments.empty() || trailingSeparator || nodes.size() + 1 != segments.size())
            return nullptr;
        Node* folder = nodes.empty() ? root : nodes.back();
        return folder->directory ? folder : nullptr;
    }

    const std::string& Leaf() const { return segments.back().name; }
};

SimFileSystem::SimFileSystem(SimDosDevices& devices) : m_Devices(&devices) {}

SimFileSystem::~SimFileSystem() = default;

void SimFileSystem::AddVolume(const std::string& devicePath)
{
    auto& root = m_Volumes[Folded(devicePath)];
    if (!root) {
        root = std::make_unique<Node>();
        root->name = devicePath;
        root->directory = true;
    }
}

void SimFileSystem::TurnOffShortNames(const std::string& devicePath)
{
    AddVolume(devicePath);
    m_Volumes[Folded(devicePath)]->noShortNames = true;
}

SimFileSystem::Resolved SimFileSystem::Resolve(const std::string& path, int depth) const
{
    Resolved r;
    r.text = path.substr(0, path.find('\0'));
    if (r.text.empty())
        return r;
    const bool drive = r.text.size() >= 2 && IsLetter(r.text[0]) && r.text[1] == ':';
    // A path relative to the current folder (".", "Data", "\Data", "C:Data")
    // is the whole path it names from there, as Windows takes it.
    const bool fromCurrent = drive ? r.text.size() > 2 && r.text[2] != '\\' && r.text[2] != '/'
                                   : !r.text.starts_with("\\\\") && !currentFolder.empty();
    if (fromCurrent)
        if (const std::string full = Absolute(r.text); !full.empty() && full != r.text)
            return Resolve(full, depth);
    // "\\server\share\...": a network share is a root of its own.
    std::size_t shareEnd = 0;
    if (!drive && r.text.size() > 2 && r.text[0] == '\\' && r.text[1] == '\\' && r.text[2] != '?' && r.text[2] != '.') {
        const auto server = r.text.find('\\', 2);
        if (server == std::string::npos || server == 2)
            return r;
        shareEnd = std::min(r.text.find('\\', server + 1), r.text.size());
        if (shareEnd == server + 1)
            return r;
    }
    r.rootLength = drive ? 2 : shareEnd;
    if (!ParseSegments(r.text, r.rootLength, r.segments, r.trailingSeparator))
        return r;
    if (shareEnd != 0) {
        r.kind = PathKind::Drive;
        const auto share = m_Volumes.find(Folded(r.text.substr(0, shareEnd)));
        r.root = share == m_Volumes.end() ? nullptr : share->second.get();
    } else {
        // Without a current folder a relative path reaches nothing, but it is no bad name.
        r.kind = drive ? PathKind::Drive : PathKind::Relative;
        if (!drive)
            return r;
        r.root = DriveRoot(r.text[0], depth);
    }
    if (r.root)
        r.nodes = Walk(r.root, r.segments);
    return r;
}

// Where a letter leads: its newest mapping names either a volume (possibly with a
// folder on it) or, for a folder binding, another Win32 path.
SimFileSystem::Node* SimFileSystem::DriveRoot(char letter, int depth) const
{
    if (depth > kMaxLinkDepth)
        return nullptr;
    const auto mappings = m_Devices->Mappings(std::string(1, letter) + ":");
    if (mappings.empty())
        return nullptr;
    const std::string& target = mappings.front();

    if (StartsWithNoCase(target, "\\??\\")) {
        std::string path = target.substr(4);
        if (StartsWithNoCase(path, "UNC\\"))
            path.replace(0, 3, "\\");  // "\??\UNC\server\share" is "\\server\share"
        const Resolved inner = Resolve(path, depth + 1);
        Node* folder = inner.Target();
        return folder && folder->directory ? folder : nullptr;
    }
    for (const auto& [device, root] : m_Volumes) {
        if (!StartsWithNoCase(target, device) || (target.size() > device.size() && target[device.size()] != '\\'))
            continue;
        std::vector<Segment> segments;
        bool trailing = false;
        if (!ParseSegments(target, device.size(), segments, trailing))
            return nullptr;
        const auto nodes = Walk(root.get(), segments);
        if (nodes.size() != segments.size())
            return nullptr;
        Node* folder = nodes.empty() ? root.get() : nodes.back();
        return folder->directory ? folder : nullptr;
    }
    return nullptr;
}

SimFileSystem::Node* SimFileSystem::CreateChild(Node& folder, const std::string& name, bool directory)
{
    auto node = std::make_unique<Node>();
    node->name = name;
    node->shortName = ShortNameFor(name, folder);
    node->directory = directory;
    node->parent = &folder;
    folder.children.push_back(std::move(node));
    return folder.children.back().get();
}

// Failures are keyed by where the entry is, so that a letter bound to a folder,
// a short name or a different case all reach the same one.
std::string SimFileSystem::FailureKey(const std::string& path) const
{
    const Resolved r = Resolve(path);
    std::string fallback = r.text;
    std::replace(fallback.begin(), fallback.end(), '/', '\\');
    fallback = Folded(fallback);
    if (!r.root)
        return fallback;
    if (r.segments.empty())
        return CanonicalPath(*r.root);
    if (r.nodes.size() + 1 < r.segments.size())
        return fallback;
    const Node* folder = r.segments.size() == 1 ? r.root : r.nodes[r.segments.size() - 2];
    const std::string name = r.nodes.size() == r.segments.size() ? r.nodes.back()->name : r.Leaf();
    return CanonicalPath(*folder) + "\\" + Folded(name);
}

bool SimFileSystem::WriteDenied(const std::string& path) const { return m_DenyWrite.count(FailureKey(path)) != 0; }

bool SimFileSystem::Write(Node& file, const std::string& path, std::string data, bool append)
{
    bool complete = true;
    const auto limit = m_WriteLimit.find(FailureKey(path));
    if (limit != m_WriteLimit.end() && data.size() > limit->second) {
        data.resize(limit->second);
        complete = false;
    }
    if (append)
        file.content += data;
    else
        file.content = std::move(data);
    return complete;
}

std::uint32_t SimFileSystem::ShortPathName(const char* path, char* buffer, std::uint32_t capacity)
{
    if (!path)
        return 0;
    const Resolved r = Resolve(path);
    if (!r.Target())
        return 0;
    // The path as typed, with each component that has a second name replaced by it.
    std::string out = r.text.substr(0, r.rootLength);
    std::size_t pos = r.rootLength;
    for (std::size_t i = 0; i < r.segments.size(); ++i) {
        const auto& segment = r.segments[i];
        out += r.text.substr(pos, segment.begin - pos);
        const Node& node = *r.nodes[i];
        out += node.shortName.empty() ? r.text.substr(segment.begin, segment.length) : node.shortName;
        pos = segment.begin + segment.length;
    }
    out += r.text.substr(pos);

    const auto needed = static_cast<std::uint32_t>(out.size() + 1);
    if (!buffer || capacity < needed)
        return needed;
    std::memcpy(buffer, out.c_str(), needed);
    return needed - 1;
}

bool SimFileSystem::IsDirectoryPath(const char* path)
{
    if (!path)
        return false;
    const Node* node = Resolve(path).Target();
    return node && node->directory;
}

os::LookupResult SimFileSystem::Lookup(const char* path, std::uint32_t attributes)
{
    os::LookupResult result;
    if (!path) {
        result.error = true;
        return result;
    }
    const Resolved r = Resolve(path);
    if (r.kind == PathKind::Invalid) {
        result.error = true;
        return result;
    }
    // A root or a path ending in a separator names no entry of its own.
    if (r.segments.empty() || r.trailingSeparator)
        return result;
    // An entry is found by listing its folder, which a folder that may not be read refuses.
    if (m_DenyRead.count(FailureKey(r.text.substr(0, r.segments.back().begin)))) {
        result.error = true;
        return result;
    }
    const Node* entry = r.Target();
    if (!entry)
        return result;
    const std::uint32_t special = (entry->attributes & (os::ATTR_HIDDEN | os::ATTR_SYSTEM)) | (entry->directory ? os::ATTR_DIRECTORY : 0);
    if ((special & ~attributes) == 0)
        result.name = entry->name;
    return result;
}

std::optional<std::vector<std::string>> SimFileSystem::ReadLines(const std::string& path, std::size_t maxBytes)
{
    const Node* file = Resolve(path).Target();
    if (!file || file->directory || m_DenyRead.count(FailureKey(path)) || file->content.size() > maxBytes)
        return std::nullopt;
    return text::SplitLines(file->content);
}

bool SimFileSystem::AppendLine(const std::string& path, const std::string& text)
{
    const Resolved r = Resolve(path);
    Node* file = r.Target();
    Node* folder = file ? nullptr : r.NewEntryFolder();
    if ((!file && !folder) || (file && (file->directory || ReadOnly(*file))) || WriteDenied(path))
        return false;
    if (!file)
        file = CreateChild(*folder, r.Leaf(), false);
    std::string data;
    const std::string& content = file->content;
    if (!content.empty() && content.back() != '\r' && content.back() != '\n')
        data = "\r\n";
    data += text + "\r\n";
    // As on Win32: what a full disk cut short is taken back.
    const std::size_t length = file->content.size();
    if (Write(*file, path, std::move(data), true))
        return true;
    file->content.resize(length);
    return false;
}

bool SimFileSystem::WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    const Resolved r = Resolve(path);
    Node* file = r.Target();
    Node* folder = file ? nullptr : r.NewEntryFolder();
    if ((!file && !folder) || (file && (file->directory || ReadOnly(*file))) || WriteDenied(path))
        return false;
    if (!file)
        file = CreateChild(*folder, r.Leaf(), false);
    return Write(*file, path, text::JoinLines(lines), false);
}

bool SimFileSystem::MoveOver(const std::string& from, const std::string& to)
{
    const Resolved source = Resolve(from);
    Node* moving = source.Target();
    if (!moving || moving->directory || !moving->parent)
        return false;
    const Resolved dest = Resolve(to);
    Node* replaced = dest.Target();
    if (replaced == moving)
        return true;
    if (WriteDenied(from) || WriteDenied(to))
        return false;

    if (replaced) {
        if (replaced->directory || ReadOnly(*replaced))
            return false;
        // The replaced entry keeps its names; it takes the moved file's data.
        replaced->content = std::move(moving->content);
        replaced->attributes = moving->attributes;
        Detach(*moving);
        return true;
    }
    Node* folder = dest.NewEntryFolder();
    if (!folder)
        return false;
    auto node = Detach(*moving);
    node->name = dest.Leaf();
    node->shortName = ShortNameFor(node->name, *folder);
    node->parent = folder;
    folder->children.push_back(std::move(node));
    return true;
}

bool SimFileSystem::RemoveFile(const std::string& path)
{
    Node* file = Resolve(path).Target();
    if (!file || file->directory || !file->parent || ReadOnly(*file) || WriteDenied(path))
        return false;
    Detach(*file);
    return true;
}

bool SimFileSystem::CopyOver(const std::string& from, const std::string& to)
{
    const Node* source = Resolve(from).Target();
    if (!source || source->directory || m_DenyRead.count(FailureKey(from)))
        return false;
    const Resolved dest = Resolve(to);
    Node* file = dest.Target();
    Node* folder = file ? nullptr : dest.NewEntryFolder();
    if ((!file && !folder) || (file && (file->directory || ReadOnly(*file))) || WriteDenied(to))
        return false;
    if (!file)
        file = CreateChild(*folder, dest.Leaf(), false);
    const std::string content = source->content;  // the source may be the target
    return Write(*file, to, content, false);
}

bool SimFileSystem::MakeFolder(const std::string& path)
{
    const Resolved r = Resolve(path);
    if (const Node* there = r.Target())
        return there->directory;
    Node* parent = r.NewEntryFolder();
    if (!parent || WriteDenied(path))
        return false;
    CreateChild(*parent, r.Leaf(), true);
    return true;
}

bool SimFileSystem::RemoveFolder(const std::string& path)
{
    Node* folder = Resolve(path).Target();
    if (!folder || !folder->directory || !folder->parent || !folder->children.empty() || WriteDenied(path))
        return false;
    Detach(*folder);
    return true;
}

bool SimFileSystem::MakeDirectory(const std::string& path, std::uint32_t attributes)
{
    const Resolved r = Resolve(path);
    if (!r.root)
        return false;
    Node* current = r.root;
    for (std::size_t i = 0; i < r.segments.size(); ++i) {
        if (!current->directory)
            return false;
        current = i < r.nodes.size() ? r.nodes[i] : CreateChild(*current, r.segments[i].name, true);
    }
    if (!current->directory)
        return false;
    if (current != r.root)
        current->attributes = attributes & ~os::ATTR_DIRECTORY;
    return true;
}

bool SimFileSystem::MakeFile(const std::string& path, const std::string& content, std::uint32_t attributes)
{
    const Resolved r = Resolve(path);
    if (!r.root || r.segments.empty() || r.trailingSeparator)
        return false;
    Node* current = r.root;
    const std::size_t folders = r.segments.size() - 1;
    for (std::size_t i = 0; i < folders; ++i) {
        if (!current->directory)
            return false;
        current = i < r.nodes.size() ? r.nodes[i] : CreateChild(*current, r.segments[i].name, true);
    }
    if (!current->directory)
        return false;
    Node* file = r.nodes.size() == r.segments.size() ? r.nodes.back() : CreateChild(*current, r.Leaf(), false);
    if (file->directory)
        return false;
    file->content = content;
    file->attributes = attributes & ~os::ATTR_DIRECTORY;
    return true;
}

bool SimFileSystem::Remove(const std::string& path)
{
    Node* node = Resolve(path).Target();
    if (!node || !node->parent)
        return false;
    Detach(*node);
    return true;
}

bool SimFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes)
{
    Node* node = Resolve(path).Target();
    if (!node)
        return false;
    node->attributes = attributes & ~os::ATTR_DIRECTORY;
    return true;
}

std::optional<std::uint32_t> SimFileSystem::ReadAttributes(const std::string& path)
{
    const Node* node = Resolve(path).Target();
    if (!node)
        return std::nullopt;
    return node->attributes | (node->directory ? os::ATTR_DIRECTORY : 0);
}

bool SimFileSystem::WriteAttributes(const std::string& path, std::uint32_t attributes)
{
    return !WriteDenied(path) && SetAttributes(path, attributes);
}

std::optional<std::string> SimFileSystem::Content(const std::string& path) const
{
    const Node* file = Resolve(path).Target();
    if (!file || file->directory)
        return std::nullopt;
    return file->content;
}

bool SimFileSystem::Exists(const std::string& path) const { return Resolve(path).Target() != nullptr; }

void SimFileSystem::DenyRead(const std::string& path, bool deny)
{
    if (deny)
        m_DenyRead.insert(FailureKey(path));
    else
        m_DenyRead.erase(FailureKey(path));
}

void SimFileSystem::DenyWrite(const std::string& path, bool deny)
{
    if (deny)
        m_DenyWrite.insert(FailureKey(path));
    else
        m_DenyWrite.erase(FailureKey(path));
}

void SimFileSystem::FailWritesAfter(const std::string& path, std::size_t bytes) { m_WriteLimit[FailureKey(path)] = bytes; }

std::string SimFileSystem::FinalPath(const std::string& path) { return path; }

std::string SimFileSystem::FullPath(const std::string& path) { return Absolute(path); }

std::string SimFileSystem::Absolute(const std::string& path) const
{
    std::string text = path.substr(0, path.find('\0'));
    if (text.empty())
        return {};
    std::replace(text.begin(), text.end(), '/', '\\');
    std::string current = currentFolder;
    if (current.back() != '\\')
        current += '\\';
    // The root the path keeps, and the rest to resolve below it.
    std::string root, rest;
    if (text.starts_with("\\\\")) {
        const auto server = text.find('\\', 2);
        const auto share = server == std::string::npos ? server : text.find('\\', server + 1);
        root = text.substr(0, share);
        rest = share == std::string::npos ? "" : text.substr(share);
    } else if (text.size() >= 2 && IsLetter(text[0]) && text[1] == ':') {
        root = text.substr(0, 2);
        rest = text.substr(2);
        if (!rest.starts_with('\\'))  // "D:name": from that drive's current folder, its root here
            rest = (Folded(root) == Folded(current.substr(0, 2)) ? current.substr(2) : "\\") + rest;
    } else {
        root = current.substr(0, 2);
        rest = text.starts_with('\\') ? text : current.substr(2) + text;
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const auto end = std::min(rest.find('\\', start), rest.size());
        const std::string name = rest.substr(start, end - start);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string full = root;
    for (const auto& name : names)
        full += '\\' + name;
    // A drive's root keeps its backslash, as does a folder given with one; a
    // share's root is its name alone.
    const bool share = root.starts_with("\\\\");
    if (names.empty() ? !share : rest.ends_with('\\'))
        full += '\\';
    return full;
}

namespace {
class SimFileLock : public os::FileLock {
public:
    SimFileLock(std::set<std::string>& held, std::string key) : m_Held(held), m_Key(std::move(key)) {}
    ~SimFileLock() override { m_Held.erase(m_Key); }
    SimFileLock(const SimFileLock&) = delete;
    SimFileLock& operator=(const SimFileLock&) = delete;

private:
    std::set<std::string>& m_Held;
    std::string m_Key;
};
}  // namespace

std::unique_ptr<os::FileLock> SimFileSystem::Lock(const std::string& path)
{
    std::string key = FailureKey(path);
    if (!m_Locked.insert(key).second)
        return nullptr;  // held elsewhere for longer than anyone waits
    return std::make_unique<SimFileLock>(m_Locked, std::move(key));
}

void SimFileSystem::ClearFailures()
{
    m_DenyRead.clear();
    m_DenyWrite.clear();
    m_WriteLimit.clear();
}

}  // namespace sim

namespace sim {

template <typename Call>
auto SimFileView::Seen(Call call)
{
    SimDosDevices* own = std::exchange(m_Files.m_Devices, &m_Devices);
    struct Back {
        SimFileSystem& files;
        SimDosDevices* devices;
        ~Back() { files.m_Devices = devices; }
    } back{m_Files, own};
    return call();
}

std::uint32_t SimFileView::ShortPathName(const char* path, char* buffer, std::uint32_t capacity)
{
    return Seen([&] { return m_Files.ShortPathName(path, buffer, capacity); });
}
bool SimFileView::IsDirectoryPath(const char* path) { return Seen([&] { return m_Files.IsDirectoryPath(path); }); }
os::LookupResult SimFileView::Lookup(const char* path, std::uint32_t attributes)
{
    return Seen([&] { return m_Files.Lookup(path, attributes); });
}
std::optional<std::vector<std::string>> SimFileView::ReadLines(const std::string& path, std::size_t maxBytes)
{
    return Seen([&] { return m_Files.ReadLines(path, maxBytes); });
}
bool SimFileView::AppendLine(const std::string& path, const std::string& text)
{
    return Seen([&] { return m_Files.AppendLine(path, text); });
}
bool SimFileView::WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    return Seen([&] { return m_Files.WriteLines(path, lines); });
}
bool SimFileView::MoveOver(const std::string& from, const std::string& to)
{
    return Seen([&] { return m_Files.MoveOver(from, to); });
}
bool SimFileView::RemoveFile(const std::string& path) { return Seen([&] { return m_Files.RemoveFile(path); }); }
bool SimFileView::CopyOver(const std::string& from, const std::string& to)
{
    return Seen([&] { return m_Files.CopyOver(from, to); });
}
bool SimFileView::MakeFolder(const std::string& path) { return Seen([&] { return m_Files.MakeFolder(path); }); }
bool SimFileView::RemoveFolder(const std::string& path) { return Seen([&] { return m_Files.RemoveFolder(path); }); }
std::optional<std::uint32_t> SimFileView::ReadAttributes(const std::string& path)
{
    return Seen([&] { return m_Files.ReadAttributes(path); });
}
bool SimFileView::WriteAttributes(const std::string& path, std::uint32_t attributes)
{
    return Seen([&] { return m_Files.WriteAttributes(path, attributes); });
}
std::string SimFileView::FinalPath(const std::string& path) { return Seen([&] { return m_Files.FinalPath(path); }); }
std::string SimFileView::FullPath(const std::string& path) { return Seen([&] { return m_Files.FullPath(path); }); }
std::unique_ptr<os::FileLock> SimFileView::Lock(const std::string& path)
{
    return Seen([&] { return m_Files.Lock(path); });
}

}  // namespace sim
