/* The public header read by a C compiler (C99, pedantic): hosts written in C can include it. */
#include "exports/orvrun.h"

/* The address of one procedure of each header, so that every declaration is seen and linked. */
int orvrun_h_procedures(void) {
  void (*procedures[])(void) = {
      (void (*)(void))ORVRUN_FREE,    (void (*)(void))EXECSQLWIN, (void (*)(void))NIPOK,
      (void (*)(void))USTAWPARAMKONF, (void (*)(void))ZAZNACZSQL, (void (*)(void))DODAJOKNO,
      (void (*)(void))ZAPISZWARIANT,  (void (*)(void))KALENDARZ,
  };
  int n = 0;
  unsigned i;
  for (i = 0; i < sizeof procedures / sizeof procedures[0]; ++i) n += procedures[i] != 0;
  return n;
}
