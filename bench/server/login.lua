-- LoginAccount of the load-test accounts bench1..bench64, in turn (ListForm).
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["User-Agent"] = "ZubSpecAccess"

local threads = {}
function setup(thread)
  table.insert(threads, thread)
end

local n = 0
request = function()
  n = n + 1
  local body = "nick=bench" .. ((n % 64) + 1) .. "&pw=benchpw1&label0=0"
  return wrk.format(nil, nil, nil, body)
end

accepted, refused = 0, 0
response = function(status, headers, body)
  if string.sub(body, 1, 1) == "$" then accepted = accepted + 1 else refused = refused + 1 end
end

function done(summary, latency, requests)
  local a, r = 0, 0
  for _, t in ipairs(threads) do
    a = a + t:get("accepted")
    r = r + t:get("refused")
  end
  io.write(string.format("logins accepted %d, refused %d\n", a, r))
end
