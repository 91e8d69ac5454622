#include "wayback/undo_restore.h"

#include "common/card_bindings.h"
#include "common/reg_key.h"
#include "platform/framework/format_text.h"
#include "platform/quoted_text.h"
#include "platform/registry_keys.h"
#include "platform/registry_names.h"
#include "wayback/key_path.h"
#include "wayback/reg_io.h"
#include "wayback/setup_log.h"
#include "wayback/share_record.h"
#include "wayback/undo_file.h"
#include "wayback/whole_file.h"

#include <string>
#include <vector>

namespace {

const char kCaption[] = "Undo network setup";

// A share: its name and the values of its section, which the plan keeps.
struct ShareEntry {
    std::string_view name;
    const std::vector<RegValueLine> *values;
};

std::vector<ShareEntry> SharesIn(const std::vector<RegSection> &sections) {
    std::vector<ShareEntry> shares;
    for (const RegSection &section : sections)
        if (const std::string_view name = ChildKeyName(section.path, kShareKeyPath);
            !section.removeKey && !name.empty())
            shares.push_back({name, &section.values});
    return shares;
}

const RegValueLine *FindValue(const ShareEntry &share, std::string_view name) {
    for (const RegValueLine &value : *share.values)
        if (!value.remove && vp::SameRegName(value.name, name))
            return &value;
    return nullptr;
}

DWORD DwordOf(const ShareEntry &share, std::string_view name) {
    const RegValueLine *value = FindValue(share, name);
    DWORD number = 0;
    for (std::size_t i = 0; value && i < 4 && i < value->data.size(); ++i)
        number |= DWORD{static_cast<unsigned char>(value->data[i])} << (8 * i);
    return number;
}

// A text value up to its first NUL.
std::string_view TextOf(const ShareEntry &share, std::string_view name) {
    const RegValueLine *value = FindValue(share, name);
    if (!value)
        return {};
    const std::string_view data = value->data;
    return data.substr(0, data.find('\0'));
}

// The registry holds a share's passwords enciphered, and the share API takes
// them in clear: such a share is served again only when Windows reads the
// restored key at its next start.
bool HasPassword(const ShareEntry &share) {
    for (const char *name : {"Parm1enc", "Parm2enc"})
        if (const RegValueLine *value = FindValue(share, name); value && !value->data.empty())
            return true;
    return false;
}

// Same values (in any order) with the same types and data.
bool SameShare(const ShareEntry &a, const ShareEntry &b) {
    if (a.values->size() != b.values->size())
        return false;
    for (const RegValueLine &value : *a.values) {
        const RegValueLine *other = FindValue(b, value.name);
        if (!other || other->type != value.type || other->data != value.data)
            return false;
    }
    return true;
}

const ShareEntry *Find(const std::vector<ShareEntry> &shares, const ShareEntry &share) {
    for (const ShareEntry &candidate : shares)
        if (vp::SameRegName(candidate.name, share.name))
            return &candidate;
    return nullptr;
}

// The shares of from that to has not, or not with the same values.
void AddChanged(const std::vector<ShareEntry> &from, const std::vector<ShareEntry> &to,
                std::vector<ShareEntry> *out) {
    for (const ShareEntry &share : from)
        if (const ShareEntry *other = Find(to, share); !other || !SameShare(*other, share))
            out->push_back(share);
}

// A section puts back a key's values as they are now, so applying it
// changes nothing. False, too, when the key cannot be read.
bool AsItIs(const RegSection &section) {
    for (const RegValueLine &value : section.values) {
        RegValueLine now;
        if (ReadValueLine(section.path, value.name.c_str(), &now) != ERROR_SUCCESS ||
            now.remove != value.remove ||
            (!now.remove && (now.type != value.type || now.data != value.data)))
            return false;
    }
    return true;
}

// What the undo will do, worked out before it is asked for.
struct UndoPlan {
    RegText recorded;
    std::vector<RegSection> current;   // the share key as it is now
    std::vector<ShareEntry> toRemove;  // served now, not as recorded
    std::vector<ShareEntry> toRestore; // recorded, not served as recorded now
    std::vector<std::string_view> printers;
    std::size_t addressKeys = 0;
    const RegValueLine *runOnce = nullptr;
    bool removesRunOnce = false; // the RunOnce key the setup made
    bool keepsWinsock2 = false;
};

// The shares a section of the file names, by the share key's subkey it is
// about: a file of the first version deletes the whole share key, and so
// every share.
bool NamesShare(const std::vector<RegSection> &sections, std::string_view name) {
    for (const RegSection &section : sections)
        if (vp::SameRegName(section.path, kShareKeyPath)
                ? section.removeKey
                : vp::SameRegName(ChildKeyName(section.path, kShareKeyPath), name))
            return true;
    return false;
}

// 0, or the error met reading the share key as it is now.
LONG PlanUndo(UndoPlan *plan) {
    if (const LONG read = ReadKeyTree(kShareKeyPath, &plan->current);
        read != ERROR_SUCCESS && read != ERROR_FILE_NOT_FOUND)
        return read;
    std::vector<ShareEntry> now;
    for (const ShareEntry &share : SharesIn(plan->current))
        if (NamesShare(plan->recorded.sections, share.name))
            now.push_back(share);
    const std::vector<ShareEntry> before = SharesIn(plan->recorded.sections);
    AddChanged(now, before, &plan->toRemove);
    AddChanged(before, now, &plan->toRestore);
    for (const RegSection &section : plan->recorded.sections) {
        if (section.removeKey) {
            plan->removesRunOnce =
                plan->removesRunOnce || (vp::SameRegName(section.path, kRunOnceKeyPath) &&
                                         MachineKeyExists(kRunOnceKeyPath));
            continue;
        }
        // Shares are told above; a key gone since is not made again.
        if (!ChildKeyName(section.path, kShareKeyPath).empty() ||
            vp::SameRegName(section.path, kShareKeyPath) ||
            !MachineKeyExists(section.path.c_str()) || AsItIs(section))
            continue;
        if (const std::string_view printer = ChildKeyName(section.path, kPrintersKeyPath);
            !printer.empty())
            plan->printers.push_back(printer);
        else if (vp::SameRegName(section.path, kRunOnceKeyPath))
            plan->runOnce = &section.values.front();
        else
            ++plan->addressKeys;
    }
    for (const std::string &note : plan->recorded.notes)
        if (note == kWinsock2MissingNote)
            plan->keepsWinsock2 = MachineKeyExists(kWinsock2KeyPath);
    return ERROR_SUCCESS;
}

void AppendShareList(std::string &text, const std::vector<ShareEntry> &shares, bool withPaths) {
    if (shares.empty())
        text += "none";
    for (std::size_t i = 0; i < shares.size(); ++i) {
        if (i)
            text += ", ";
        text += vp::VisibleText(shares[i].name);
        if (withPaths) {
            text += " (";
            text += vp::VisibleText(TextOf(shares[i], "Path"));
            text += ')';
        }
    }
}

std::string Confirmation(const UndoPlan &plan) {
    std::string text = "Put this computer's network settings back as they were before the "
                       "setup?\n\nShares to remove: ";
    AppendShareList(text, plan.toRemove, false);
    text += "\nShares to restore: ";
    AppendShareList(text, plan.toRestore, true);
    for (std::size_t i = 0; i < plan.printers.size(); ++i) {
        text += i ? ", " : "\nPrinters: ";
        text += vp::VisibleText(plan.printers[i]);
    }
    if (plan.addressKeys) {
        char addresses[80];
        vp::FormatText(addresses, sizeof addresses,
                       "\nAddresses: IPAddress and IPMask of %u network binding(s)",
                       static_cast<unsigned>(plan.addressKeys));
        text += addresses;
    }
    if (plan.removesRunOnce)
        text += "\nRunOnce key, which the setup made: removed";
    else if (plan.runOnce)
        text += plan.runOnce->remove ? "\nRunOnce entry InternetSW: removed"
                                     : "\nRunOnce entry InternetSW: put back as it was";
    for (const ShareEntry &share : plan.toRestore)
        if (HasPassword(share)) {
            text += "\n\nShares with a password come back after the restart; the others at once.";
            break;
        }
    if (plan.keepsWinsock2)
        text += "\n\nWinsock 2, which the setup installed, stays installed.";
    text += "\n\nWindows restarts afterwards.";
    return text;
}

void ServeShares(const UndoPlan &plan) {
    for (const ShareEntry &share : plan.toRemove)
        DeleteShare(std::string(share.name).c_str());
    for (const ShareEntry &share : plan.toRestore) {
        if (HasPassword(share) || share.name.size() > LM20_NNLEN)
            continue;
        std::string path(TextOf(share, "Path"));
        std::string remark(TextOf(share, "Remark"));
        ShareRecord record(static_cast<unsigned char>(DwordOf(share, "Type")),
                           static_cast<unsigned short>(DwordOf(share, "Flags")), path.data(),
                           remark.data());
        if (record)
            record.Add(share.name);
    }
}

// Every section in order, but for the values of a key that is gone since
// (a printer removed, say): the setup only opened such keys. The failures,
// in words, one a line.
std::string RestoreRegistry(const RegText &recorded) {
    std::string failures;
    for (const RegSection &section : recorded.sections) {
        if (!section.removeKey && !vp::SameRegName(section.path, kShareKeyPath) &&
            ChildKeyName(section.path, kShareKeyPath).empty() &&
            !MachineKeyExists(section.path.c_str()))
            continue;
        std::string what;
        const LONG result = ApplySection(section, &what);
        LogLine("undo-key")
            .Quoted(section.path)
            .Text(section.removeKey ? " deleted" : " set")
            .Result(static_cast<DWORD>(result));
        if (result != ERROR_SUCCESS) {
            char code[24];
            vp::FormatText(code, sizeof code, ": error %ld", static_cast<long>(result));
            failures += '\n';
            failures += vp::VisibleText(what);
            failures += code;
        }
    }
    return failures;
}

void Tell(const char *text, UINT style) {
    MessageBoxA(nullptr, text, kCaption, style);
}

// The class keys the card's bindings lead to now: the only ones whose
// address the undo puts back.
std::vector<std::string> CardClassKeys() {
    std::vector<std::string> keys;
    ForEachCardClassKey([&keys](const char *path) { keys.emplace_back(path); });
    return keys;
}

} // namespace

UndoOutcome RunUndo() {
    const std::string path = WindowsDirectoryFile(kUndoFileName);
    UndoPlan plan;
    std::string file;
    char why[MAX_PATH + 128];
    const std::vector<std::string> classKeys = CardClassKeys();
    const UndoFileState state =
        ReadUndoFile(path, &file, &plan.recorded, why, sizeof why, &classKeys);
    if (state == UndoFileState::Missing) {
        Tell("There is nothing left to undo: no setup change is waiting to be put back on this "
             "computer.",
             MB_OK);
        return UndoOutcome::NothingChanged;
    }
    char text[2 * MAX_PATH + 320];
    if (state != UndoFileState::Read) {
        vp::FormatText(text, sizeof text, "The undo file %s %s.%s", path.c_str(), why,
                       state == UndoFileState::Malformed ? "\n\nNothing has been changed." : "");
        Tell(text, MB_ICONHAND);
        return UndoOutcome::Failed;
    }
    if (const LONG error = PlanUndo(&plan)) {
        vp::FormatText(text, sizeof text,
                       "The shares of this computer cannot be read (error %ld).\n\nNothing has "
                       "been changed.",
                       static_cast<long>(error));
        Tell(text, MB_ICONHAND);
        return UndoOutcome::Failed;
    }
    if (MessageBoxA(nullptr, Confirmation(plan).c_str(), kCaption, MB_YESNO) != IDYES) {
        LogLine("undo").Text("declined");
        return UndoOutcome::NothingChanged;
    }
    LogLine("undo").Text("started from ").Quoted(path);
    ServeShares(plan);
    if (std::string failures = RestoreRegistry(plan.recorded); !failures.empty()) {
        LogLine("undo").Text("failed; the undo file is kept");
        failures.insert(0, "These settings could not be put back:");
        failures += "\n\nThe undo file ";
        failures += path;
        failures += " is kept: run the undo again once the cause is mended.";
        Tell(failures.c_str(), MB_ICONHAND);
        return UndoOutcome::Failed;
    }
    const DWORD removed = DeleteFileIfThere(path);
    LogLine("undo").Text("done; undo file ").Quoted(path).Text(" removed").Result(removed);
    return UndoOutcome::Done;
}
