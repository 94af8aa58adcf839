/* The native add-in interface as a C host sees it: plain function tables,
 * one layout per platform, declared here without the library's headers.
 *
 * Contract:
 *  - WCHAR_T is a 2-byte UTF-16 unit everywhere; `long` is the platform's
 *    own (8 bytes on 64-bit Linux, 4 on Windows); `bool` is one byte.
 *  - A component object holds four table pointers at offsets 0, P, 2P, 3P
 *    (P the pointer size): init/done, language extender, locale, user
 *    interface language. A method is called with the address of the table
 *    pointer it was found through as its first parameter (`self`).
 *  - Every table but the message box's starts with destructor slots no one
 *    calls: two on Linux, one on Windows (ADDIN_DESTRUCTOR_SLOTS).
 *  - ADDIN_CALL is the methods' convention: __stdcall on 32-bit Windows
 *    (`self` on the stack), the platform's default elsewhere.
 *  - tVariant: a union, a 32-bit element count, a 16-bit type tag; its
 *    size and the tag's offset are checked below for every target.
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
#include <time.h>

#if defined(_WIN32) && !defined(_WIN64)
#define ADDIN_CALL __stdcall
#else
#define ADDIN_CALL
#endif

#if defined(_WIN32)
#define ADDIN_DESTRUCTOR_SLOTS 1
#else
#define ADDIN_DESTRUCTOR_SLOTS 2
#endif

typedef uint16_t WCHAR_T;

enum {
  VT_EMPTY_ = 0,
  VT_NULL_ = 1,
  VT_I2_ = 2,
  VT_I4_ = 3,
  VT_R4_ = 4,
  VT_R8_ = 5,
  VT_DATE_ = 6,
  VT_TM_ = 7,
  VT_PSTR_ = 8,
  VT_INTERFACE_ = 9,
  VT_ERROR_ = 10,
  VT_BOOL_ = 11,
  VT_VARIANT_ = 12,
  VT_I1_ = 13,
  VT_UI1_ = 14,
  VT_UI2_ = 15,
  VT_UI4_ = 16,
  VT_I8_ = 17,
  VT_UI8_ = 18,
  VT_INT_ = 19,
  VT_UINT_ = 20,
  VT_HRESULT_ = 21,
  VT_PWSTR_ = 22,
  VT_BLOB_ = 23,
  VT_CLSID_ = 24
};

typedef struct tVariant {
  union {
    int8_t i8;
    int16_t i16;
    int32_t i32;
    int64_t i64;
    uint8_t u8;
    uint16_t u16;
    uint32_t u32;
    uint64_t u64;
    float r4;
    double r8;
    bool boolean;
    double date;
    uint8_t id[16];
    struct tm tm;
    struct {
      char* p;
      uint32_t len;
    } bytes;
    struct {
      WCHAR_T* p;
      uint32_t len; /* units, without the terminator */
    } text;
  } value;
  uint32_t cbElements;
  uint16_t vt;
} tVariant;

#if defined(_WIN32)
_Static_assert(sizeof(tVariant) == 48, "tVariant is 48 bytes on Windows");
_Static_assert(offsetof(tVariant, vt) == 44, "vt at 44 on Windows");
#elif UINTPTR_MAX == UINT64_MAX
_Static_assert(sizeof(tVariant) == 64, "tVariant is 64 bytes on 64-bit Linux");
_Static_assert(offsetof(tVariant, vt) == 60, "vt at 60 on 64-bit Linux");
#else
_Static_assert(sizeof(tVariant) == 52, "tVariant is 52 bytes on 32-bit Linux");
_Static_assert(offsetof(tVariant, vt) == 48, "vt at 48 on 32-bit Linux");
#endif

typedef void(ADDIN_CALL* AddInDestructor)(void* self);

/* The component's tables, in the order of their table pointers. */
typedef struct InitDoneTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  bool(ADDIN_CALL* Init)(void* self, void* connection);
  bool(ADDIN_CALL* setMemManager)(void* self, void* manager);
  long(ADDIN_CALL* GetInfo)(void* self);
  void(ADDIN_CALL* Done)(void* self);
} InitDoneTable;

typedef struct LanguageExtenderTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  bool(ADDIN_CALL* RegisterExtensionAs)(void* self, WCHAR_T** name);
  long(ADDIN_CALL* GetNProps)(void* self);
  long(ADDIN_CALL* FindProp)(void* self, const WCHAR_T* name);
  const WCHAR_T*(ADDIN_CALL* GetPropName)(void* self, long number, long alias);
  bool(ADDIN_CALL* GetPropVal)(void* self, long number, tVariant* value);
  bool(ADDIN_CALL* SetPropVal)(void* self, long number, tVariant* value);
  bool(ADDIN_CALL* IsPropReadable)(void* self, long number);
  bool(ADDIN_CALL* IsPropWritable)(void* self, long number);
  long(ADDIN_CALL* GetNMethods)(void* self);
  long(ADDIN_CALL* FindMethod)(void* self, const WCHAR_T* name);
  const WCHAR_T*(ADDIN_CALL* GetMethodName)(void* self, long number, long alias);
  long(ADDIN_CALL* GetNParams)(void* self, long number);
  bool(ADDIN_CALL* GetParamDefValue)(void* self, long method, long param, tVariant* value);
  bool(ADDIN_CALL* HasRetVal)(void* self, long number);
  bool(ADDIN_CALL* CallAsProc)(void* self, long number, tVariant* params, long count);
  bool(ADDIN_CALL* CallAsFunc)(void* self, long number, tVariant* result, tVariant* params,
                               long count);
} LanguageExtenderTable;

typedef struct LocaleTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  void(ADDIN_CALL* SetLocale)(void* self, const WCHAR_T* locale);
} LocaleTable;

typedef struct UserLanguageTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  void(ADDIN_CALL* SetUserInterfaceLanguageCode)(void* self, const WCHAR_T* code);
} UserLanguageTable;

/* The host's objects: each starts with its table pointer. */
typedef struct MemoryManagerTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  bool(ADDIN_CALL* AllocMemory)(void* self, void** p, unsigned long bytes);
  void(ADDIN_CALL* FreeMemory)(void* self, void** p);
} MemoryManagerTable;

typedef struct ConnectionTable {
  AddInDestructor destructors[ADDIN_DESTRUCTOR_SLOTS];
  bool(ADDIN_CALL* AddError)(void* self, unsigned short code, const WCHAR_T* source,
                             const WCHAR_T* text, long scode);
  bool(ADDIN_CALL* Read)(void* self, WCHAR_T* name, tVariant* value, long* error,
                         WCHAR_T** error_text);
  bool(ADDIN_CALL* Write)(void* self, WCHAR_T* name, tVariant* value);
  bool(ADDIN_CALL* RegisterProfileAs)(void* self, WCHAR_T* name);
  bool(ADDIN_CALL* SetEventBufferDepth)(void* self, long depth);
  long(ADDIN_CALL* GetEventBufferDepth)(void* self);
  bool(ADDIN_CALL* ExternalEvent)(void* self, WCHAR_T* source, WCHAR_T* message, WCHAR_T* data);
  void(ADDIN_CALL* CleanEventBuffer)(void* self);
  bool(ADDIN_CALL* SetStatusLine)(void* self, WCHAR_T* text);
  void(ADDIN_CALL* ResetStatusLine)(void* self);
  void*(ADDIN_CALL* GetInterface)(void* self, int which);
} ConnectionTable;

/* GetInterface(0): no destructor slot. */
typedef struct MessageBoxTable {
  bool(ADDIN_CALL* Confirm)(void* self, const WCHAR_T* text, tVariant* answer);
  bool(ADDIN_CALL* Alert)(void* self, const WCHAR_T* text);
} MessageBoxTable;

/* The library's exports (default convention). */
typedef const WCHAR_T* (*GetClassNamesFn)(void);
typedef long (*GetClassObjectFn)(const WCHAR_T* name, void** object);
typedef long (*DestroyObjectFn)(void** object);
typedef int (*SetPlatformCapabilitiesFn)(int capabilities);
typedef int (*GetAttachTypeFn)(void);
