// Node peers of the speed comparison: one JSON line per (check, peer) with calls per second.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const [inputPath, secondsText] = process.argv.slice(2);
const seconds = Number(secondsText || '1');
const here = new URL('.', import.meta.url);
const require = createRequire(import.meta.url);

const inputs = { nip: [], pesel: [], iban: [], amount: [] };
for (const line of readFileSync(inputPath, 'utf8').split('\n')) {
  const [kind, value] = line.split('\t');
  if (kind in inputs) inputs[kind].push(value);
}

function emit(record) {
  console.log(JSON.stringify(record));
}

// Calls `fn` over the inputs again and again for at least `seconds`.
function measure(check, peer, values, fn) {
  let accepted = 0;
  for (const v of values) if (fn(v)) accepted++;
  let calls = 0;
  let sink = 0;
  const start = process.hrtime.bigint();
  const budget = BigInt(Math.round(seconds * 1e9));
  let elapsed = 0n;
  while (elapsed < budget) {
    for (const v of values) {
      const r = fn(v);
      sink += r ? 1 : 0;
    }
    calls += values.length;
    elapsed = process.hrtime.bigint() - start;
  }
  emit({ check, peer, calls_per_s: calls / (Number(elapsed) / 1e9), accepted,
         inputs: values.length, sink: sink > 0 });
}

async function load(name, loader) {
  try {
    return await loader();
  } catch (e) {
    emit({ check: '*', peer: name, skipped: `cannot load: ${e.message.split('\n')[0]}` });
    return null;
  }
}

const vp = await load('validate-polish', () => require('validate-polish'));
if (vp) {
  const v = vp.validatePolish || vp.default || vp;
  measure('NIP', 'validate-polish (node)', inputs.nip, (s) => v.nip(s));
  measure('PESEL', 'validate-polish (node)', inputs.pesel, (s) => v.pesel(s));
}

const ib = await load('ibantools', () => require('ibantools'));
if (ib) {
  const prefixed = inputs.iban.map((s) => 'PL' + s);
  measure('IBAN', 'ibantools (node)', prefixed, (s) => ib.isValidIBAN(s));
}

const pl = await load('n2words', () => import(new URL('node_modules/n2words/src/pl-PL.js', here)));
if (pl) {
  const amounts = inputs.amount.map(Number);
  if (typeof pl.toCurrency === 'function') {
    measure('WORDS', 'n2words pl-PL toCurrency (node)', amounts, (a) => pl.toCurrency(a));
  } else {
    // Older releases have no currency form: whole part and grosze in two cardinal calls.
    measure('WORDS', 'n2words pl-PL cardinal x2 (node)', amounts,
            (a) => pl.toCardinal(Math.floor(a)) + pl.toCardinal(Math.round((a % 1) * 100)));
  }
}
