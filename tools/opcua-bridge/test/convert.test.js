'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { DataType, DataValue, StatusCodes, Variant, VariantArrayType } = require('node-opcua');
const { nodeIdText, valueForController, variantFor, roundHalfEven, withTimeLimit } = require('../convert');

test('plain tags name string nodes in the plain-tag namespace, node ids stand as written', () => {
  assert.strictEqual(nodeIdText('FIC101.PV', 1), 'ns=1;s=FIC101.PV');
  assert.strictEqual(nodeIdText('FIC101.PV', 4), 'ns=4;s=FIC101.PV');
  assert.strictEqual(nodeIdText('ns=2;s=FIC101.PV', 1), 'ns=2;s=FIC101.PV');
  assert.strictEqual(nodeIdText('ns=3;i=1042', 1), 'ns=3;i=1042');
  assert.strictEqual(nodeIdText('i=2258', 1), 'i=2258');
  // A plain tag that merely contains "s=" somewhere is still a plain tag.
  assert.strictEqual(nodeIdText('TANKs=1', 2), 'ns=2;s=TANKs=1');
});

test('a value that is not Good, missing or an array is no value for the controller', () => {
  const good = (dataType, value, arrayType) =>
    new DataValue({ value: new Variant({ dataType, value, arrayType }), statusCode: StatusCodes.Good });
  assert.strictEqual(valueForController(good(DataType.Double, 12.5)), 12.5);
  assert.strictEqual(valueForController(good(DataType.Int16, -90)), -90);
  assert.strictEqual(valueForController(good(DataType.Boolean, true)), 1);
  assert.strictEqual(valueForController(good(DataType.String, 'AUTO')), 'AUTO');
  assert.strictEqual(valueForController(good(DataType.Double, [1, 2], VariantArrayType.Array)), null);
  assert.strictEqual(valueForController(good(DataType.Double, NaN)), null);
  const uncertain = new DataValue({ value: new Variant({ dataType: DataType.Double, value: 3 }),
    statusCode: StatusCodes.UncertainLastUsableValue });
  assert.strictEqual(valueForController(uncertain), null);
  assert.strictEqual(valueForController(new DataValue({ statusCode: StatusCodes.BadNodeIdUnknown })), null);
  assert.strictEqual(valueForController(undefined), null);
});

test('writes take the node own data type, rounding halves to even, and refuse what does not fit', () => {
  assert.deepStrictEqual(variantFor('12.345', DataType.Double), { dataType: DataType.Double, value: 12.345 });
  assert.deepStrictEqual(variantFor(1, DataType.Int16), { dataType: DataType.Int16, value: 1 });
  assert.deepStrictEqual(variantFor('2.5', DataType.Int16), { dataType: DataType.Int16, value: 2 });
  assert.deepStrictEqual(variantFor('-2.5', DataType.Int32), { dataType: DataType.Int32, value: -2 });
  assert.deepStrictEqual(variantFor('3.5', DataType.UInt16), { dataType: DataType.UInt16, value: 4 });
  assert.deepStrictEqual(variantFor(-90, DataType.String), { dataType: DataType.String, value: '-90' });
  assert.deepStrictEqual(variantFor('0', DataType.Boolean), { dataType: DataType.Boolean, value: false });
  assert.throws(() => variantFor('40000', DataType.Int16), /does not fit/);
  assert.throws(() => variantFor('-1', DataType.UInt32), /does not fit/);
  assert.throws(() => variantFor('X', DataType.Double), /not a number/);
  assert.throws(() => variantFor('', DataType.Double), /not a number/);
  assert.throws(() => variantFor('1', DataType.ByteString), /cannot take a number/);
  assert.strictEqual(roundHalfEven(0.5), 0);
  assert.strictEqual(roundHalfEven(1.5), 2);
  assert.strictEqual(roundHalfEven(-1.5), -2);
  assert.strictEqual(roundHalfEven(2.6), 3);
});

test('a call that takes too long is given up with a message naming it', async () => {
  const never = new Promise(() => {});
  await assert.rejects(withTimeLimit(never, 20, 'reading'), /reading: no answer within 20 ms/);
  assert.strictEqual(await withTimeLimit(Promise.resolve(7), 1000, 'x'), 7);
});
