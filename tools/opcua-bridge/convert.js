'use strict';
// The bridge's pure rules, kept apart from the OPC UA stack so that they are tested alone:
// which node a tag names, what a value read means to the controller, how a value written is
// shaped to the node's own data type, and the time limit on every call.
const { DataType } = require('node-opcua');

// Item names of this length or more are refused, as the controller's name buffers hold 99.
const MAX_ITEM_NAME = 100;

// A tag written as a NodeId ("ns=2;s=FIC101.PV", "ns=3;i=1042", "i=2258") is used as it
// stands; any other tag is the string identifier of a node in the plain-tag namespace.
function nodeIdText(tag, namespaceIndex) {
  if (/^(ns=\d+;)?[isgb]=/.test(tag) || /^nsu=/.test(tag)) return tag;
  return `ns=${namespaceIndex};s=${tag}`;
}

// A value read, as the controller stores it: a number, a text, or null for a value that is
// missing, not Good, or of a kind the controller has no use for (arrays, structures).
function valueForController(dataValue) {
  if (!dataValue || !dataValue.statusCode || !dataValue.statusCode.isGood()) return null;
  const variant = dataValue.value;
  if (!variant || variant.arrayType > 0) return null;
  const v = variant.value;
  if (typeof v === 'number') return Number.isFinite(v) ? v : null;
  if (typeof v === 'boolean') return v ? 1 : 0;
  if (typeof v === 'bigint') return Number(v);
  if (Array.isArray(v) && v.length === 2 && variant.dataType === DataType.Int64) {
    return v[0] * 4294967296 + v[1];  // node-opcua keeps 64-bit integers as [high, low]
  }
  if (typeof v === 'string') return v;
  if (v && typeof v.text === 'string') return v.text;  // LocalizedText
  return null;
}

// Nearest integer, halves to the even neighbour, as every integer conversion of the controller.
function roundHalfEven(x) {
  const r = Math.round(x);
  return Math.abs(x % 1) === 0.5 && r % 2 !== 0 ? r - 1 : r;
}

const INTEGER_RANGES = {
  [DataType.SByte]: [-128, 127],
  [DataType.Byte]: [0, 255],
  [DataType.Int16]: [-32768, 32767],
  [DataType.UInt16]: [0, 65535],
  [DataType.Int32]: [-2147483648, 2147483647],
  [DataType.UInt32]: [0, 4294967295],
  [DataType.Int64]: [-Number.MAX_SAFE_INTEGER, Number.MAX_SAFE_INTEGER],
  [DataType.UInt64]: [0, Number.MAX_SAFE_INTEGER],
};

// The controller's value (a number or a number text) as a Variant of the node's data type;
// throws an Error naming the reason when it cannot be one, so that nothing wrong is written.
function variantFor(value, dataType) {
  if (dataType === DataType.String) return { dataType, value: String(value) };
  const number = typeof value === 'number' ? value : Number(String(value).trim());
  if (String(value).trim() === '' || !Number.isFinite(number)) {
    throw new Error(`"${value}" is not a number`);
  }
  if (dataType === DataType.Double || dataType === DataType.Float) return { dataType, value: number };
  if (dataType === DataType.Boolean) return { dataType, value: number !== 0 };
  const range = INTEGER_RANGES[dataType];
  if (!range) throw new Error(`data type ${DataType[dataType] || dataType} cannot take a number`);
  const whole = roundHalfEven(number);
  if (whole < range[0] || whole > range[1]) {
    throw new Error(`${number} does not fit ${DataType[dataType]}`);
  }
  if (dataType === DataType.Int64 || dataType === DataType.UInt64) {
    return { dataType, value: [Math.floor(whole / 4294967296), whole >>> 0] };
  }
  return { dataType, value: whole };
}

// The promise, or a rejection naming what took too long once ms have passed.
function withTimeLimit(promise, ms, what) {
  let timer;
  const limit = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what}: no answer within ${ms} ms`)), ms);
  });
  return Promise.race([promise, limit]).finally(() => clearTimeout(timer));
}

module.exports = { MAX_ITEM_NAME, nodeIdText, valueForController, variantFor, roundHalfEven, withTimeLimit };
