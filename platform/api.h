// The operating-system surface the setup code calls: Win32 names, arguments
// and result codes. On Windows this is the real thing; elsewhere the same
// declarations are served by the simulated Windows 9x machine (platform/sim)
// and the in-process window manager (platform/user32).
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <winspool.h>
// Calls the Windows build passes through its own code (platform/windows/):
// the restart takes the shutdown privilege first on the NT family, and
// message boxes are recorded in the transcript and answered by a response
// file. The program keeps calling them by their Windows names.
BOOL WINAPI VpExitWindowsEx(UINT flags, DWORD reserved);
int WINAPI VpMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#define ExitWindowsEx VpExitWindowsEx
#define MessageBoxA VpMessageBoxA
#else

#include <cstddef>
#include <cstdint>

// ---- basic types ---------------------------------------------------------
using BYTE = unsigned char;
using WORD = unsigned short;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = int;
using UINT = unsigned int;
using INT = int;
using CHAR = char;
using SHORT = short;
using USHORT = unsigned short;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using LPSTR = char *;
using LPCSTR = const char *;
using LPBYTE = BYTE *;
using LPDWORD = DWORD *;
using LPVOID = void *;
using LPCVOID = const void *;
using PVOID = void *;
using HANDLE = void *;
using LPHANDLE = HANDLE *;

#define DECLARE_HANDLE(name)                                                                       \
    struct name##__;                                                                               \
    using name = name##__ *
DECLARE_HANDLE(HKEY);
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HLOCAL_);
#undef DECLARE_HANDLE
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using HLOCAL = HANDLE;
using PHKEY = HKEY *;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define WINAPI
#define CALLBACK

#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define MAKELONG(a, b)                                                                             \
    (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) |                                \
                       ((static_cast<DWORD>(static_cast<WORD>(b))) << 16)))

// ---- error codes ---------------------------------------------------------
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_BAD_FORMAT 11L
#define ERROR_WRITE_FAULT 29L
#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_FILE_EXISTS 80L
#define ERROR_DISK_FULL 112L
#define ERROR_CALL_NOT_IMPLEMENTED 120L
#define ERROR_BAD_NETPATH 53L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_LEVEL 124L
#define ERROR_MORE_DATA 234L
#define ERROR_ENVVAR_NOT_FOUND 203L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_FILE_TOO_LARGE 223L
#define ERROR_BADDB 1009L
#define ERROR_KEY_DELETED 1018L
#define ERROR_INVALID_PRINTER_NAME 1801L

DWORD GetLastError();
void SetLastError(DWORD code);

// ---- registry --------------------------------------------------------------
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE *data,
                    DWORD dataSize);
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegCloseKey(HKEY key);

// ---- drives, files, profile strings ---------------------------------------
#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_ARCHIVE 0x20
#define FILE_ATTRIBUTE_NORMAL 0x80

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA *;

DWORD GetLogicalDrives();
UINT GetDriveTypeA(LPCSTR rootPath);
HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData);
BOOL FindClose(HANDLE find);
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                               DWORD size, LPCSTR fileName);

// ---- strings (KERNEL32's lstr family) ---------------------------------------
LPSTR lstrcpyA(LPSTR dst, LPCSTR src);
LPSTR lstrcatA(LPSTR dst, LPCSTR src);
int lstrlenA(LPCSTR s);

// ---- programs -----------------------------------------------------------------
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_FORCEONFEEDBACK 0x00000040
#define NORMAL_PRIORITY_CLASS 0x00000020
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES *;

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
using LPSTARTUPINFOA = STARTUPINFOA *;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION *;

UINT WinExec(LPCSTR cmdLine, UINT cmdShow);
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine,
                    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment,
                    LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                    LPPROCESS_INFORMATION processInformation);
DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);
void Sleep(DWORD milliseconds);
// A named mutex is one object for the whole machine: GetLastError() says
// ERROR_ALREADY_EXISTS when another handle to it is open.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCSTR name);

// ---- files ----------------------------------------------------------------------
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED *;

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
               LPOVERLAPPED overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG *distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL SetEndOfFile(HANDLE file);
BOOL DeleteFileA(LPCSTR fileName);
BOOL MoveFileA(LPCSTR existing, LPCSTR newName);
BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags);

// ---- time and the command line -------------------------------------------------
struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
void GetLocalTime(SYSTEMTIME *time);
// The value's length when it fits size (NUL not counted), else the size it
// needs with its NUL; 0 and ERROR_ENVVAR_NOT_FOUND when the name is not set.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);

// ---- restart ------------------------------------------------------------------
#define EWX_LOGOFF 0
#define EWX_SHUTDOWN 1
#define EWX_REBOOT 2
#define EWX_FORCE 4
BOOL ExitWindowsEx(UINT flags, DWORD reserved);

// ---- heaps --------------------------------------------------------------------
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define HEAP_ZERO_MEMORY 0x00000008
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalHandle(LPCVOID memory);
HLOCAL LocalFree(HLOCAL memory);
HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

// ---- spooler --------------------------------------------------------------------
#define PRINTER_ENUM_LOCAL 0x00000002
#define PRINTER_ATTRIBUTE_QUEUED 0x00000001
#define PRINTER_ATTRIBUTE_DIRECT 0x00000002
#define PRINTER_ATTRIBUTE_DEFAULT 0x00000004
#define PRINTER_ATTRIBUTE_SHARED 0x00000008
#define PRINTER_ATTRIBUTE_NETWORK 0x00000010
#define PRINTER_ATTRIBUTE_LOCAL 0x00000040

struct PRINTER_INFO_2A {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    void *pDevMode;
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    void *pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};
using PRINTER_INFO_2 = PRINTER_INFO_2A;
using PPRINTER_INFO_2A = PRINTER_INFO_2A *;

BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printerEnum, DWORD cbBuf,
                   LPDWORD needed, LPDWORD returned);

// ---- windows, dialogs, message boxes (served by platform/user32) ---------------
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_YESNO 0x00000004u
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONMASK 0x000000F0u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDC_STATIC (-1)

#define WM_DESTROY 0x0002
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_SETREDRAW 0x000B
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ERASEBKGND 0x0014
#define WM_ICONERASEBKGND 0x0027
#define WM_QUERYDRAGICON 0x0037
#define WM_SETICON 0x0080
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113

#define ICON_SMALL 0
#define ICON_BIG 1

#define BN_CLICKED 0
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2

#define LB_ADDSTRING 0x0180
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_ERR (-1)

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0
#define BST_CHECKED 1

#define MF_STRING 0x00000000u
#define MF_SEPARATOR 0x00000800u

#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

#define SM_CXICON 11
#define SM_CYICON 12

// Window and control styles used by the resource script.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x0800L
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_CHECKBOX 0x00000002L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_RADIOBUTTON 0x00000004L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_TYPEMASK 0x0000000FL
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define SS_LEFT 0x00000000L
#define SS_ICON 0x00000003L
#define SS_NOPREFIX 0x00000080L
#define SS_TYPEMASK 0x0000001FL

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT *;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT *;

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
HWND GetDlgItem(HWND dialog, int id);
BOOL SetWindowTextA(HWND window, LPCSTR text);
int GetWindowTextA(HWND window, LPSTR text, int size);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
HINSTANCE GetModuleHandleA(LPCSTR moduleName);
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
HICON LoadIconA(HINSTANCE instance, LPCSTR iconName);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerFunc);
BOOL KillTimer(HWND window, UINT_PTR id);
BOOL IsIconic(HWND window);
BOOL IsWindow(HWND window);
HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT *paint);
int GetSystemMetrics(int index);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

#endif // _WIN32

#include "platform/svrapi.h"
