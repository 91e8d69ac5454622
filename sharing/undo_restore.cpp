#include "sharing/undo_restore.h"

#include "common/reg_io.h"
#include "common/reg_key.h"
#include "common/setup_log.h"
#include "common/undo_file.h"
#include "common/whole_file.h"
#include "netsetup/restart.h"
#include "platform/decimal_text.h"
#include "platform/quoted_text.h"
#include "platform/registry_keys.h"
#include "platform/registry_names.h"
#include "sharing/share_record.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "Undo network setup";
const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

// A share: its name and the values of its section, which the plan keeps.
struct ShareEntry {
    std::string name;
    const std::vector<RegValueLine> *values;
};

// The name below parent when path is exactly one level below it, else "".
std::string ChildName(const std::string &path, std::string_view parent) {
    if (path.size() <= parent.size() + 1 || !vp::SameRegName(path.substr(0, parent.size()), parent) ||
        path[parent.size()] != '\\')
        return {};
    const std::string name = path.substr(parent.size() + 1);
    return name.find('\\') == std::string::npos ? name : std::string();
}

std::vector<ShareEntry> SharesIn(const std::vector<RegSection> &sections) {
    std::vector<ShareEntry> shares;
    for (const RegSection &section : sections)
        if (std::string name = ChildName(section.path, kShareKeyPath);
            !section.removeKey && !name.empty())
            shares.push_back({std::move(name), &section.values});
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

std::string TextOf(const ShareEntry &share, std::string_view name) {
    const RegValueLine *value = FindValue(share, name);
    return value ? value->data.substr(0, value->data.find('\0')) : std::string();
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
    return std::all_of(a.values->begin(), a.values->end(), [&b](const RegValueLine &value) {
        const RegValueLine *other = FindValue(b, value.name);
        return other && other->type == value.type && other->data == value.data;
    });
}

const ShareEntry *Find(const std::vector<ShareEntry> &shares, const ShareEntry &share) {
    for (const ShareEntry &candidate : shares)
        if (vp::SameRegName(candidate.name, share.name))
            return &candidate;
    return nullptr;
}

// What the undo will do, worked out before it is asked for.
struct UndoPlan {
    RegText recorded;
    std::vector<RegSection> current;   // the share key as it is now
    std::vector<ShareEntry> toRemove;  // served now, not as recorded
    std::vector<ShareEntry> toRestore; // recorded, not served as recorded now
    std::vector<std::string> printers;
    std::size_t addressKeys = 0;
    const RegValueLine *runOnce = nullptr;
    bool keepsWinsock2 = false;
};

UndoPlan PlanUndo(RegText recorded) {
    UndoPlan plan;
    plan.recorded = std::move(recorded);
    plan.current = ReadKeyTree(kShareKeyPath);
    const std::vector<ShareEntry> now = SharesIn(plan.current);
    const std::vector<ShareEntry> before = SharesIn(plan.recorded.sections);
    for (const ShareEntry &share : now)
        if (const ShareEntry *old = Find(before, share); !old || !SameShare(*old, share))
            plan.toRemove.push_back(share);
    for (const ShareEntry &share : before)
        if (const ShareEntry *current = Find(now, share); !current || !SameShare(*current, share))
            plan.toRestore.push_back(share);
    for (const RegSection &section : plan.recorded.sections) {
        if (std::string printer = ChildName(section.path, kPrintersKeyPath); !printer.empty())
            plan.printers.push_back(std::move(printer));
        if (section.path.size() > sizeof kClassRoot - 1 &&
            vp::SameRegName(section.path.substr(0, sizeof kClassRoot - 1), kClassRoot))
            ++plan.addressKeys;
        if (vp::SameRegName(section.path, kRunOnceKeyPath))
            for (const RegValueLine &value : section.values)
                if (vp::SameRegName(value.name, "InternetSW"))
                    plan.runOnce = &value;
    }
    const auto &notes = plan.recorded.notes;
    plan.keepsWinsock2 =
        std::find(notes.begin(), notes.end(), kWinsock2MissingNote) != notes.end() &&
        MachineKeyExists(kWinsock2KeyPath);
    return plan;
}

std::string ShareList(const std::vector<ShareEntry> &shares, bool withPaths) {
    if (shares.empty())
        return "none";
    std::string list;
    for (const ShareEntry &share : shares) {
        if (!list.empty())
            list += ", ";
        list += vp::VisibleText(share.name);
        if (withPaths)
            list += " (" + vp::VisibleText(TextOf(share, "Path")) + ")";
    }
    return list;
}

std::string Confirmation(const UndoPlan &plan) {
    std::string text = "Put this computer's network settings back as they were before the "
                       "setup?\n\nShares to remove: " +
                       ShareList(plan.toRemove, false) +
                       "\nShares to restore: " + ShareList(plan.toRestore, true);
    if (!plan.printers.empty()) {
        text += "\nPrinters: ";
        for (std::size_t i = 0; i < plan.printers.size(); ++i)
            text += (i ? ", " : "") + vp::VisibleText(plan.printers[i]);
    }
    if (plan.addressKeys)
        text += "\nAddresses: IPAddress and IPMask of " + vp::DecimalText(plan.addressKeys) +
                " network binding(s)";
    if (plan.runOnce)
        text += plan.runOnce->remove ? "\nRunOnce entry InternetSW: removed"
                                     : "\nRunOnce entry InternetSW: put back as it was";
    if (std::any_of(plan.toRestore.begin(), plan.toRestore.end(), HasPassword))
        text += "\n\nShares with a password come back after the restart; the others at once.";
    if (plan.keepsWinsock2)
        text += "\n\nWinsock 2, which the setup installed, stays installed.";
    return text + "\n\nWindows restarts afterwards.";
}

void ServeShares(const UndoPlan &plan) {
    for (const ShareEntry &share : plan.toRemove)
        DeleteShare(share.name.c_str());
    for (const ShareEntry &share : plan.toRestore) {
        if (HasPassword(share) || share.name.size() > LM20_NNLEN)
            continue;
        std::string path = TextOf(share, "Path");
        std::string remark = TextOf(share, "Remark");
        ShareRecord record(static_cast<unsigned char>(DwordOf(share, "Type")),
                           static_cast<unsigned short>(DwordOf(share, "Flags")), path.data(),
                           remark.data());
        if (record)
            record.Add(share.name);
    }
}

// Every section in order; the failures, in words, one a line.
std::string RestoreRegistry(const RegText &recorded) {
    std::string failures;
    for (const RegSection &section : recorded.sections) {
        std::string what;
        const LONG result = ApplySection(section, &what);
        LogAction("undo-key", vp::QuotedText(section.path) +
                                  (section.removeKey ? " deleted" : " set") + " -> " +
                                  ResultText(static_cast<DWORD>(result)));
        if (result != ERROR_SUCCESS)
            failures += "\n" + vp::VisibleText(what) + ": error " + vp::DecimalText(result);
    }
    return failures;
}

void Tell(const std::string &text, UINT style) {
    MessageBoxA(nullptr, text.c_str(), kCaption, style);
}

} // namespace

void RunUndo() {
    const std::string path = WindowsDirectoryFile(kUndoFileName);
    std::string text;
    if (const DWORD error = ReadWholeFile(path, &text)) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            Tell("There is nothing to undo: the setup has not changed this computer.", MB_OK);
        else
            Tell("The undo file " + path + " cannot be read (error " + vp::DecimalText(error) +
                     ").",
                 MB_ICONHAND);
        return;
    }
    RegText recorded;
    vp::Regedit4Error parseError;
    if (!ParseRegText(text, &recorded, &parseError)) {
        Tell("The undo file " + path + " cannot be read: line " + vp::DecimalText(parseError.line) +
                 ", " + parseError.what + ".\n\nNothing has been changed.",
             MB_ICONHAND);
        return;
    }
    const UndoPlan plan = PlanUndo(std::move(recorded));
    if (MessageBoxA(nullptr, Confirmation(plan).c_str(), kCaption, MB_YESNO) != IDYES) {
        LogAction("undo", "declined");
        return;
    }
    LogAction("undo", "started from " + vp::QuotedText(path));
    ServeShares(plan);
    if (const std::string failures = RestoreRegistry(plan.recorded); !failures.empty()) {
        LogAction("undo", "failed; the undo file is kept");
        Tell("These settings could not be put back:" + failures + "\n\nThe undo file " + path +
                 " is kept: run the undo again once the cause is mended.",
             MB_ICONHAND);
        return;
    }
    const DWORD removed = DeleteFileIfThere(path);
    LogAction("undo",
              "done; undo file " + vp::QuotedText(path) + " removed -> " + ResultText(removed));
    RestartWindows(nullptr);
}
