#pragma once
#ifdef __cplusplus
extern "C" {
#endif

struct MethodSlot {
    const char *method;
    int actual;
    int expected;
};
extern const struct MethodSlot kMethodSlots[];
extern const int kMethodSlotCount;

#ifdef __cplusplus
}
#endif
