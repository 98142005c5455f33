-- Recursive Fibonacci: one call per number, two arguments evaluated, a function result.
local function fib(n)
  if n < 2 then return n end
  return fib(n - 1) + fib(n - 2)
end

if fib(32) ~= 2178309 then os.exit(1) end
