// The native add-in interface: the binary contract between a host platform
// and an add-in library that it loads without COM, on Windows and on Linux.
//
//  - Text is UTF-16 in 2-byte units (WCHAR_T) on every system.
//  - A component object starts with four table pointers at offsets 0, P, 2P
//    and 3P (P the pointer size): init/done, language extender, locale and
//    user interface language. The host is handed the first.
//  - Every table the host or the add-in calls begins with destructor slots
//    that are never called: one on Windows, two on Linux. The interfaces
//    below therefore have no virtual destructors (mingw would give them two
//    slots) but placeholder slots of the right number.
//  - Methods are __stdcall with `this` on the stack on 32-bit Windows, and
//    the platform's member convention elsewhere.
//  - tVariant: a union, then a 32-bit element count, then a 16-bit type tag;
//    64 bytes on 64-bit Linux, 52 on 32-bit Linux, 48 on Windows.
// The sizes and offsets are checked at compile time here; the layout of the
// tables by a test host written in C, which shares nothing of this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

#if defined(_WIN32) && !defined(_WIN64)
#define KASSIVO_ADDIN_METHOD __stdcall
#else
#define KASSIVO_ADDIN_METHOD
#endif

namespace kassivo::native {

using WCHAR_T = char16_t;

// Type tags of tVariant (the platform's own numbering, not COM's).
enum VariantType : std::uint16_t {
  VTYPE_EMPTY = 0,
  VTYPE_NULL = 1,
  VTYPE_I2 = 2,
  VTYPE_I4 = 3,
  VTYPE_R4 = 4,
  VTYPE_R8 = 5,
  VTYPE_DATE = 6,
  VTYPE_TM = 7,
  VTYPE_PSTR = 8,
  VTYPE_INTERFACE = 9,
  VTYPE_ERROR = 10,
  VTYPE_BOOL = 11,
  VTYPE_VARIANT = 12,
  VTYPE_I1 = 13,
  VTYPE_UI1 = 14,
  VTYPE_UI2 = 15,
  VTYPE_UI4 = 16,
  VTYPE_I8 = 17,
  VTYPE_UI8 = 18,
  VTYPE_INT = 19,
  VTYPE_UINT = 20,
  VTYPE_HRESULT = 21,
  VTYPE_PWSTR = 22,
  VTYPE_BLOB = 23,
  VTYPE_CLSID = 24,
};

struct BytesValue {
  char* pstrVal;
  std::uint32_t strLen;  // bytes
};

struct TextValue {
  WCHAR_T* pwstrVal;
  std::uint32_t wstrLen;  // UTF-16 units, without the terminator
};

struct tVariant {
  union {
    std::int8_t i8Val;
    std::int16_t shortVal;
    std::int32_t lVal;
    std::int32_t intVal;
    std::uint32_t uintVal;
    std::int64_t llVal;
    std::uint8_t ui8Val;
    std::uint16_t ushortVal;
    std::uint32_t ulVal;
    std::uint64_t ullVal;
    std::int32_t errCode;
    long hRes;
    float fltVal;
    double dblVal;
    bool bVal;
    char chVal;
    WCHAR_T wchVal;
    double date;  // the OLE date number
    std::uint8_t IDVal[16];
    std::tm tmVal;
    BytesValue bytes;  // PSTR, BLOB
    TextValue text;    // PWSTR
  };
  std::uint32_t cbElements;
  std::uint16_t vt;
};

#if defined(_WIN32)
static_assert(sizeof(tVariant) == 48 && offsetof(tVariant, vt) == 44);
#elif UINTPTR_MAX > 0xffffffffu
static_assert(sizeof(tVariant) == 64 && offsetof(tVariant, vt) == 60);
#else
static_assert(sizeof(tVariant) == 52 && offsetof(tVariant, vt) == 48);
#endif
static_assert(sizeof(bool) == 1 && sizeof(WCHAR_T) == 2);

// The destructor slots every table begins with; never called.
class DestructorSlots {
 public:
  virtual void KASSIVO_ADDIN_METHOD DestructorSlot1() {}
#if !defined(_WIN32)
  virtual void KASSIVO_ADDIN_METHOD DestructorSlot2() {}
#endif

 protected:
  ~DestructorSlots() = default;
};

// The host's memory manager: every text handed to the host is allocated
// here, and the host frees it.
class MemoryManager : public DestructorSlots {
 public:
  virtual bool KASSIVO_ADDIN_METHOD AllocMemory(void** memory, unsigned long bytes) = 0;
  virtual void KASSIVO_ADDIN_METHOD FreeMemory(void** memory) = 0;

 protected:
  ~MemoryManager() = default;
};

// The host's message box, interface 0 of the connection; its table has no
// destructor slot.
class MessageBoxInterface {
 public:
  virtual bool KASSIVO_ADDIN_METHOD Confirm(const WCHAR_T* text, tVariant* answer) = 0;
  virtual bool KASSIVO_ADDIN_METHOD Alert(const WCHAR_T* text) = 0;

 protected:
  ~MessageBoxInterface() = default;
};

// The connection a host gives to Init. GetInterface exists only when the
// host's capabilities are at least 1.
class Connection : public DestructorSlots {
 public:
  virtual bool KASSIVO_ADDIN_METHOD AddError(unsigned short code, const WCHAR_T* source,
                                             const WCHAR_T* text, long scode) = 0;
  virtual bool KASSIVO_ADDIN_METHOD Read(WCHAR_T* name, tVariant* value, long* error,
                                         WCHAR_T** error_text) = 0;
  virtual bool KASSIVO_ADDIN_METHOD Write(WCHAR_T* name, tVariant* value) = 0;
  virtual bool KASSIVO_ADDIN_METHOD RegisterProfileAs(WCHAR_T* name) = 0;
  virtual bool KASSIVO_ADDIN_METHOD SetEventBufferDepth(long depth) = 0;
  virtual long KASSIVO_ADDIN_METHOD GetEventBufferDepth() = 0;
  virtual bool KASSIVO_ADDIN_METHOD ExternalEvent(WCHAR_T* source, WCHAR_T* message,
                                                  WCHAR_T* data) = 0;
  virtual void KASSIVO_ADDIN_METHOD CleanEventBuffer() = 0;
  virtual bool KASSIVO_ADDIN_METHOD SetStatusLine(WCHAR_T* text) = 0;
  virtual void KASSIVO_ADDIN_METHOD ResetStatusLine() = 0;
  virtual void* KASSIVO_ADDIN_METHOD GetInterface(int which) = 0;

 protected:
  ~Connection() = default;
};

// AddError's codes.
inline constexpr unsigned short kAddErrorInfo = 1000;
inline constexpr unsigned short kAddErrorFail = 1006;
// GetInterface's message box.
inline constexpr int kMessageBoxInterface = 0;

// The component object's four interfaces, in the order of their tables.
class InitDone : public DestructorSlots {
 public:
  virtual bool KASSIVO_ADDIN_METHOD Init(void* connection) = 0;
  virtual bool KASSIVO_ADDIN_METHOD setMemManager(void* manager) = 0;
  virtual long KASSIVO_ADDIN_METHOD GetInfo() = 0;
  virtual void KASSIVO_ADDIN_METHOD Done() = 0;

 protected:
  ~InitDone() = default;
};

class LanguageExtender : public DestructorSlots {
 public:
  virtual bool KASSIVO_ADDIN_METHOD RegisterExtensionAs(WCHAR_T** name) = 0;
  virtual long KASSIVO_ADDIN_METHOD GetNProps() = 0;
  virtual long KASSIVO_ADDIN_METHOD FindProp(const WCHAR_T* name) = 0;
  virtual const WCHAR_T* KASSIVO_ADDIN_METHOD GetPropName(long number, long alias) = 0;
  virtual bool KASSIVO_ADDIN_METHOD GetPropVal(long number, tVariant* value) = 0;
  virtual bool KASSIVO_ADDIN_METHOD SetPropVal(long number, tVariant* value) = 0;
  virtual bool KASSIVO_ADDIN_METHOD IsPropReadable(long number) = 0;
  virtual bool KASSIVO_ADDIN_METHOD IsPropWritable(long number) = 0;
  virtual long KASSIVO_ADDIN_METHOD GetNMethods() = 0;
  virtual long KASSIVO_ADDIN_METHOD FindMethod(const WCHAR_T* name) = 0;
  virtual const WCHAR_T* KASSIVO_ADDIN_METHOD GetMethodName(long number, long alias) = 0;
  virtual long KASSIVO_ADDIN_METHOD GetNParams(long number) = 0;
  virtual bool KASSIVO_ADDIN_METHOD GetParamDefValue(long method, long param, tVariant* value) = 0;
  virtual bool KASSIVO_ADDIN_METHOD HasRetVal(long number) = 0;
  virtual bool KASSIVO_ADDIN_METHOD CallAsProc(long number, tVariant* params, long count) = 0;
  virtual bool KASSIVO_ADDIN_METHOD CallAsFunc(long number, tVariant* result, tVariant* params,
                                               long count) = 0;

 protected:
  ~LanguageExtender() = default;
};

class LocaleInterface : public DestructorSlots {
 public:
  virtual void KASSIVO_ADDIN_METHOD SetLocale(const WCHAR_T* locale) = 0;

 protected:
  ~LocaleInterface() = default;
};

class UserLanguageInterface : public DestructorSlots {
 public:
  virtual void KASSIVO_ADDIN_METHOD SetUserInterfaceLanguageCode(const WCHAR_T* code) = 0;

 protected:
  ~UserLanguageInterface() = default;
};

}  // namespace kassivo::native
