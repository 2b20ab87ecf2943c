-- SaveResult of rated games: each of 64 load-test accounts alternates an
-- announcement (one more game worth -2000) and the game's result (+10), as the
-- program saves them. Thread t uses accounts 32t+1 .. 32t+32 in turn, so an
-- account is saved again only after 31 others of its thread.
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["User-Agent"] = "ZubSpecAccess"

local threads = {}
local counter = 0
function setup(thread)
  thread:set("first", counter * 32)
  counter = counter + 1
  table.insert(threads, thread)
end

-- The accounts' nick prefix (another set of accounts for a second run).
local prefix = os.getenv("VARNOK_BENCH_NICK") or "bench"
local state = {}
local n = 0
local function text(x)
  local s = string.format("%.15g", x)
  return s
end

request = function()
  n = n + 1
  local i = first + (n % 32) + 1
  local s = state[i]
  if s == nil then
    s = { kon = 0, rating = 0, konl = 0, score = 0, best = 0, ses = 0, announced = false }
    state[i] = s
  end
  local p = "crdVarnok"
  local kon, rating, konl, score, best, ses
  if not s.announced then
    kon = s.kon + 1
    rating = ((kon - 1) * (s.rating - (kon - 1) / 25) - 2000) / kon + kon / 25
    s.pre_konl, s.pre_score = s.konl, s.score
    konl, score, best, ses = 0, 0, s.best, s.ses
    s.announced = true
  else
    kon = s.kon
    rating = (kon * (s.rating - kon / 25) + 2000 + 10) / kon + kon / 25
    if s.pre_konl + 1 > 24 then
      konl, score, ses = 0, 0, s.ses + 1
      best = math.max(s.best, s.pre_score + 10)
    else
      konl, score, ses, best = s.pre_konl + 1, s.pre_score + 10, s.ses, s.best
    end
    s.announced = false
  end
  s.kon, s.rating, s.konl, s.score, s.best, s.ses = kon, rating, konl, score, best, ses
  local body = "nick=" .. prefix .. i .. "&pw=benchpw1&" .. p .. "kon=" .. kon .. "&" .. p .. "best=" .. best .. "&" ..
      p .. "rating=" .. text(rating) .. "&" .. p .. "ses=" .. ses .. "&" .. p .. "konl=" .. konl .. "&" ..
      p .. "score=" .. score .. "&" .. p .. "R1=0&" .. p .. "R2=%23"
  return wrk.format(nil, nil, nil, body)
end

accepted, refused = 0, 0
response = function(status, headers, body)
  if body == "ok" then accepted = accepted + 1 else refused = refused + 1 end
end

function done(summary, latency, requests)
  local a, r = 0, 0
  for _, t in ipairs(threads) do
    a = a + t:get("accepted")
    r = r + t:get("refused")
  end
  io.write(string.format("saves accepted %d, refused %d\n", a, r))
end
