/* The C interface between the module and the utility library beyond the documented functions:
 * the hook through which the library's register search window is shown by the module's own
 * window model (the library has no toolkit of its own). Texts are NUL-terminated Windows-1250. */
#ifndef ORV_UTILITY_ABI_H
#define ORV_UTILITY_ABI_H

#ifdef __cplusplus
extern "C" {
#endif

/* What the search window may ask of the library while it is open. */
typedef struct TorixGusSearch {
  void* library_data;
  /* Searches the register for a NIP, REGON or KRS number: the count of companies found, 0 for
   * none, -1 when the search failed (message() says why). */
  int (*search)(void* library_data, const char* number);
  /* Field `field` of company `index` (0-based) for the result list: 0 NIP, 1 REGON, 2 name,
   * 3 town, 4 street and number; an empty text outside the results. */
  const char* (*company)(void* library_data, int index, int field);
  /* The reason of the last failed search or of an empty result, for the user. */
  const char* (*message)(void* library_data);
  /* Makes company `index` the answer of "PobierzGUSwartosc". */
  void (*choose)(void* library_data, int index);
} TorixGusSearch;

/* The host's window: shows the search window, returns when it closes. */
typedef void (*TorixGusWindow)(void* host_data, const TorixGusSearch* search);

/* Exported by the library as "UstawOknoGUS": the window "PobierzGUSokno" shows from then on (a
 * null window: none; "PobierzGUSokno" then ends without a choice). */
typedef void (*TorixSetGusWindow)(TorixGusWindow window, void* host_data);

#ifdef __cplusplus
}
#endif

#endif
