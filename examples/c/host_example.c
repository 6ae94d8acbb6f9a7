/* A host in C: opens the demo database, signs in, marks and counts, reads settings, asks. */
#include <orvrun_host.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int fail(const char* what, char* error) {
  fprintf(stderr, "%s: %s\n", what, error ? error : "failed");
  ORVRUN_FREE(error);
  return 1;
}

/* A text result printed and released. */
static void show(const char* label, char* text) {
  printf("%s: %s\n", label, text);
  ORVRUN_FREE(text);
}

int main(int argc, char** argv) {
  char* error = NULL;
  double user = 7; /* the demo's ordinary user */
  int32_t warehouse = 2;
  if (argc != 2) {
    fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
    return 2;
  }
  ORVRUN_HOST_INIT(NULL);
  if (!ORVRUN_OPEN(argv[1], 0, &error)) return fail("open", error);
  if (!ORVRUN_SIGN_IN(&user, NULL, NULL, &error)) return fail("sign in", error);

  ODZNACZALLSQL(1);
  ZAZNACZSQL(1, 1001, NULL);
  ZAZNACZSQL(1, 1002, NULL);
  printf("marked: %d\n", ILEZAZNACZONYCH(1));

  show("IBAN", POBIERZPARAMKONF("s", "IBAN"));
  printf("permission: %d\n",
         POBIERZUPRAWNIENIE("ArtykStanMinMaxRez", &warehouse, NULL, NULL, NULL, NULL));

  if (!ORVRUN_UI_HEADLESS("answer yes", 1, &error)) return fail("script", error);
  printf("answer: %d\n", MSG_PYTANIE("Czy kontynuowa\xE6?", NULL)); /* "ć" in Windows-1250 */
  show("box", ORVRUN_SHOWN_GET(ORVRUN_SHOWN_MESSAGES, 0, "title"));

  if (!ORVRUN_SIGN_OUT(&error)) return fail("sign out", error);
  ORVRUN_CLOSE();
  ORVRUN_KILL();
  return 0;
}
