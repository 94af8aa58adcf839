/* The host's side of the add-in interface: what a component object is
 * given to work with.
 *
 *  - HostMemory, the memory manager given by setMemManager, hands out
 *    blocks and tracks each one. Freeing a pointer it did not hand out, or
 *    one already freed, is a failure (report.h), and so is a block still
 *    held when it is finished. The host allocates the texts it sends from
 *    the same manager, so the add-in may free them as it overwrites them.
 *  - HostConnection, the connection given to Init, records AddError calls;
 *    its GetInterface(0) is a message box whose Alert texts are recorded
 *    and whose Confirm answers false. Both records are the process's, so
 *    that a call's messages are found whichever object showed them.
 *  - A destructor slot of any of these tables, if called, ends the program
 *    with a failure: the add-in must never call them.
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>

#include "addin_abi.h"

typedef struct HostBlock {
  void* p;
  size_t bytes;
} HostBlock;

typedef struct HostMemory {
  const MemoryManagerTable* table;  // first: the add-in calls through it
  const char* owner;                // for failure messages
  HostBlock* blocks;
  size_t count;
  size_t capacity;
  unsigned long allocations;
  bool refuse;  // AllocMemory answers false while set
} HostMemory;

void host_memory_init(HostMemory* memory, const char* owner);
/* A block of `bytes` as AllocMemory hands it out, for the host's own texts. */
void* host_memory_alloc(HostMemory* memory, size_t bytes);
/* Frees a block the add-in handed over (`what` names it for a failure);
 * false, and a failure, when `p` is not a live block. */
bool host_memory_free(HostMemory* memory, void* p, const char* what);
/* The size of the live block at `p`, or 0 when `p` is none. */
size_t host_memory_block_size(const HostMemory* memory, const void* p);
/* Reports every block still held as a leak, frees it, and the tracking. */
void host_memory_finish(HostMemory* memory);

typedef struct HostConnection HostConnection;
typedef struct HostMessageBox {
  const MessageBoxTable* table;
} HostMessageBox;

struct HostConnection {
  const ConnectionTable* table;
  HostMessageBox box;
};

void host_connection_init(HostConnection* connection);

/* The Alert texts recorded since the last clear, each a malloc'd copy. */
size_t host_alert_count(void);
const WCHAR_T* host_alert(size_t index);
void host_alerts_clear(void);

/* AddError calls since the last clear; the last one's code. */
size_t host_error_count(void);
unsigned short host_last_error_code(void);
void host_errors_clear(void);
