// Linux only. ICU's static archive, which the add-in library links so that
// it needs nothing but the C library, was compiled as position-independent
// executable code: its platform layer (putil) reaches the C library's
// `__timezone` and `tzname` variables directly, which a shared object
// cannot. These two definitions, local to the library (hidden, and not in
// its export list), take their place. Only ICU's time-zone helpers read
// them, and the driver uses ICU for upper case alone, never for time zones:
// its clock is the system's local time (platform/posix/system_clock.cpp).
#if !defined(_WIN32)

extern "C" {

__attribute__((visibility("hidden"))) long __timezone = 0;
__attribute__((visibility("hidden"))) char* tzname[2] = {nullptr, nullptr};

}  // extern "C"

#endif
